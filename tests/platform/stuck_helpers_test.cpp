#include "linux/StuckHelpers.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "TempDir.h"

namespace platform::linuxfs {
namespace {

namespace fs = std::filesystem;

// A real /proc/PID/stat line of a process named "a) (b c", cut after the start time field.
constexpr const char* kOddName =
    "4242 (a) (b c) D 1 4242 4242 0 -1 4194560 80 0 0 0 0 0 0 0 20 0 1 0 987654 ";

TEST(StuckHelpers, parseProcessStatTable_readsStateAndStartTime) {
    struct Case {
        std::string text;
        std::optional<char> state;  // nullopt: rejected
        std::uint64_t startTime = 0;
    };
    const Case cases[] = {
        {kOddName, 'D', 987654},
        {"1 (init) S 0 1 1 0 -1 4194560 1 2 3 4 5 6 7 8 20 0 1 0 12 1000 5\n", 'S', 12},
        {"1 (init) S 0 1 1 0 -1 4194560 1 2 3 4 5 6 7 8 20 0 1 0 12\n", 'S', 12},
        {"1 (init) S 0 1 1 0 -1 4194560 1 2 3 4 5 6 7 8 20 0 1 0", std::nullopt},
        {"1 (init) S 0 1 1 0 -1 4194560 1 2 3 4 5 6 7 8 20 0 1 0 x12", std::nullopt},
        {"1 (init) SS 0 1 1 0 -1 4194560 1 2 3 4 5 6 7 8 20 0 1 0 12", std::nullopt},
        {"1 init S 0 1 1 0 -1 4194560 1 2 3 4 5 6 7 8 20 0 1 0 12", std::nullopt},
        {"", std::nullopt},
        {")", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto stamp = parseProcessStat(c.text);
        ASSERT_EQ(stamp.has_value(), c.state.has_value());
        if (!stamp) continue;
        EXPECT_EQ(stamp->state, *c.state);
        EXPECT_EQ(stamp->startTime, c.startTime);
    }
}

TEST(StuckHelpers, recordText_roundTripsOddMountPointsAndRejectsDamage) {
    for (const char* point : {"/mnt/nfs", "/mnt/a b\nc", "/mnt/\xFF\xFE", "/"}) {
        const StuckHelper helper{point, 31337, 123456789012345ULL};
        const auto back = parseStuckHelper(formatStuckHelper(helper));
        ASSERT_TRUE(back) << point;
        EXPECT_EQ(back->mountPoint, point);
        EXPECT_EQ(back->pid, 31337);
        EXPECT_EQ(back->startTime, 123456789012345ULL);
    }
    for (const char* damaged : {"", "12 34", "12 34\n", "x 34\n/m", "12 x\n/m", "0 34\n/m",
                                "-5 34\n/m", "12\n/m", "12  34\n/m"})
        EXPECT_FALSE(parseStuckHelper(damaged)) << damaged;
}

class Records : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(base_.ready()); }

    TempDir base_{"vollmark-records-test"};
    std::string folder_ = (base_ / "records").string();
};

TEST_F(Records, liveHelper_staysStuckUntilItsOwnerForgetsIt) {
    StuckHelperRecords records(folder_);
    EXPECT_FALSE(fs::exists(folder_)) << "made only when a mount needs it";
    ASSERT_TRUE(records.usable());
    EXPECT_EQ(fs::status(folder_).permissions() & fs::perms::all, fs::perms::owner_all);
    EXPECT_FALSE(records.isStuck("/mnt/nfs"));

    // This process stands in for the helper: it is alive, so the record holds.
    records.remember("/mnt/nfs", getpid());
    EXPECT_TRUE(StuckHelperRecords(folder_).isStuck("/mnt/nfs")) << "seen by a later run";
    EXPECT_FALSE(records.isStuck("/mnt/nf")) << "records are per mount point";
    records.forget("/mnt/nfs", getpid() + 1);
    EXPECT_TRUE(records.isStuck("/mnt/nfs")) << "another helper's forgetting leaves it";
    records.forget("/mnt/nfs", getpid());
    EXPECT_FALSE(records.isStuck("/mnt/nfs"));
    EXPECT_TRUE(fs::is_empty(folder_)) << "no record and no temporary file left";
}

TEST_F(Records, helperGoneOrPidReused_dropsTheRecordOnSight) {
    StuckHelperRecords records(folder_);
    ASSERT_TRUE(records.usable());
    records.remember("/mnt/a", getpid());
    ASSERT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1);
    const fs::path file = fs::directory_iterator(folder_)->path();
    const auto stamp = stampOf(getpid());
    ASSERT_TRUE(stamp);

    // Same pid, another start time: the pid now names some other process.
    std::ofstream(file, std::ios::trunc)
        << formatStuckHelper({"/mnt/a", getpid(), stamp->startTime + 1});
    EXPECT_FALSE(records.isStuck("/mnt/a"));
    EXPECT_FALSE(fs::exists(file));

    // A pid no process has (above the kernel's pid_max).
    std::ofstream(file) << formatStuckHelper({"/mnt/a", 1 << 30, stamp->startTime});
    chmod(file.c_str(), 0600);
    EXPECT_FALSE(records.isStuck("/mnt/a"));
    EXPECT_FALSE(fs::exists(file));
}

TEST_F(Records, foldersAndFilesOthersCanTouch_areNotTrusted) {
    fs::create_directories(folder_);
    fs::permissions(folder_, fs::perms::all);
    EXPECT_FALSE(StuckHelperRecords(folder_).usable()) << "a folder open to everyone";

    fs::permissions(folder_, fs::perms::owner_all);
    const std::string elsewhere = (base_ / "elsewhere").string();
    fs::create_directories(elsewhere);
    fs::permissions(elsewhere, fs::perms::owner_all);
    const std::string link = (base_ / "link").string();
    fs::create_directory_symlink(elsewhere, link);
    EXPECT_FALSE(StuckHelperRecords(link).usable()) << "a symlink to a folder";

    StuckHelperRecords records(folder_);
    ASSERT_TRUE(records.usable());
    records.remember("/mnt/w", getpid());
    const fs::path file = fs::directory_iterator(folder_)->path();
    fs::permissions(file, fs::perms::others_write, fs::perm_options::add);
    EXPECT_FALSE(records.isStuck("/mnt/w")) << "a record others could have written";

    fs::remove(file);
    const std::string planted = elsewhere + "/planted";
    std::ofstream(planted) << formatStuckHelper({"/mnt/w", getpid(), stampOf(getpid())->startTime});
    fs::create_symlink(planted, file);
    EXPECT_FALSE(records.isStuck("/mnt/w")) << "a record that is a symlink";
}

}  // namespace
}  // namespace platform::linuxfs
