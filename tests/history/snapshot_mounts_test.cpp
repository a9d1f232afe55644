#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <memory>

#include "FakeTimeRun.h"
#include "MountSandbox.h"
#include "TempDir.h"

namespace {

constexpr std::int64_t kStart = 1'796'083'200;  // 2026-12-01 00:00 UTC
constexpr std::int64_t kHour = 3600;
constexpr std::size_t kLogPerDay = 1 << 20;

// The tool under faketime at `when` with the history in `state`; stdout to `out`, stderr to
// `err`. faketime preloads its library ahead of a sanitizer runtime, which would refuse it.
int RunTool(const std::string& state, std::int64_t when, const std::string& args,
            const std::string& out = "/dev/null", const std::string& err = "/dev/null") {
    const std::string command =
        AtFakeTime(state, when) + VOLLMARK_DRIVES " " + args + " >'" + out + "' 2>'" + err + "'";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// One figure from a JSON file, by a Python expression over `d`.
std::string Figure(const std::string& json, const std::string& expression) {
    const std::string command =
        "python3 -c 'import json, sys; d = json.load(open(sys.argv[1])); "
        "print(" +
        expression + ")' '" + json + "' 2>&1";
    std::string text;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return text;
    char buffer[512];
    while (fgets(buffer, sizeof buffer, pipe)) text += buffer;
    pclose(pipe);
    if (!text.empty() && text.back() == '\n') text.pop_back();
    return text;
}

void Append(const std::string& path, std::size_t bytes) {
    std::ofstream(path, std::ios::binary | std::ios::app) << std::string(bytes, 'x') << std::flush;
}

class SnapshotMountsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        skipReason_ = MountSandbox::enterPrivateNamespace();
        if (skipReason_) return;
        sandbox_ = std::make_unique<MountSandbox>();
        if (!sandbox_->ready() ||
            !sandbox_->mountExt4Image("grow", "Grow", "0b7e3c52-51d9-4c1a-9e55-3f7a0c1d2e44"))
            skipReason_ = "cannot mount an ext4 image";
        else if (std::system("command -v faketime >/dev/null") != 0)
            skipReason_ = "no faketime";
    }
    static void TearDownTestSuite() { sandbox_.reset(); }

    static inline std::optional<std::string> skipReason_;
    static inline std::unique_ptr<MountSandbox> sandbox_;
};

// Four simulated days on a loop-mounted ext4: samples every two hours, a snapshot each
// midnight, a log folder growing a megabyte a day beside folders that stay. --grew names the
// log folder with its daily change, and over the days its least-squares rate makes up the
// forecast's trend.
TEST_F(SnapshotMountsTest, dailySnapshots_grewNamesTheGrowingFolder) {
    if (skipReason_) SKIP_UNLESS_CI(*skipReason_);
    TempDir state("vollmark-snapshot-state");
    const std::string point = sandbox_->path("grow");
    std::filesystem::create_directories(point + "/var/log");
    std::filesystem::create_directories(point + "/srv/static");
    Append(point + "/srv/static/site", 3 << 20);
    const std::string s = state.path().string();
    for (int hour = 0; hour <= 4 * 24; hour += 2) {
        const std::int64_t when = kStart + hour * kHour;
        if (hour % 24 == 0) {
            ASSERT_EQ(RunTool(s, when + 60, "--scan '" + point + "' --record"), 0);
        }
        ASSERT_EQ(RunTool(s, when, "--record"), 0) << hour;
        Append(point + "/var/log/journal", kLogPerDay / 12);
    }
    const std::int64_t end = kStart + 4 * 24 * kHour + 120;
    const std::string json = (state / "grew.json").string();
    ASSERT_EQ(RunTool(s, end, "--grew '" + point + "' --json", json), 0) << Contents(json);
    const std::string byPath =
        "[f for f in d[\"folders\"] if f[\"path\"] == \"" + point + "/var/log\"][0]";
    EXPECT_EQ(Figure(json, byPath + "[\"status\"]"), "changed") << Contents(json);
    const double change = std::stod(Figure(json, byPath + "[\"changeBytes\"]"));
    EXPECT_NEAR(change, kLogPerDay, kLogPerDay * 0.05);
    EXPECT_NEAR(std::stod(Figure(json, byPath + "[\"bytesPerDay\"]")), kLogPerDay,
                kLogPerDay * 0.05);
    EXPECT_EQ(
        Figure(json, "[f[\"path\"] for f in d[\"folders\"] if f[\"path\"].endswith(\"static\")]"),
        "[]");
    EXPECT_EQ(Figure(json, "d[\"rates\"]"), "None");

    ASSERT_EQ(RunTool(s, end, "--grew '" + point + "' --since 4d --json", json), 0);
    EXPECT_EQ(Figure(json, "d[\"from\"]"), "2026-12-01T00:01:00Z");
    EXPECT_EQ(Figure(json, "d[\"rates\"][\"snapshots\"]"), "5");
    const std::string rate =
        "[f for f in d[\"rates\"][\"folders\"] if f[\"path\"] == \"" + point + "/var/log\"][0]";
    EXPECT_NEAR(std::stod(Figure(json, rate + "[\"bytesPerDay\"]")), kLogPerDay, kLogPerDay * 0.05);
    // The forecast sees the same growth the log folder makes.
    EXPECT_NEAR(std::stod(Figure(json, rate + "[\"shareOfTrend\"]")), 1.0, 0.15) << Contents(json);

    const std::string table = (state / "grew.txt").string();
    ASSERT_EQ(RunTool(s, end, "--grew '" + point + "' --since 4d", table), 0);
    EXPECT_NE(Contents(table).find(point + "/var/log\n"), std::string::npos) << Contents(table);
}

// A file deleted while this process holds it open is named under "unexplained" with its
// pid; a scan of a folder below the root has no such member.
TEST_F(SnapshotMountsTest, scanOfTheRoot_namesDeletedFilesStillOpen) {
    if (skipReason_) SKIP_UNLESS_CI(*skipReason_);
    TempDir state("vollmark-snapshot-state");
    const std::string point = sandbox_->path("grow");
    const std::string held = point + "/held.log";
    Append(held, 2 << 20);
    const int fd = ::open(held.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::unlink(held.c_str()), 0);
    std::filesystem::create_directories(point + "/sub");
    const std::string json = (state / "scan.json").string();
    ASSERT_EQ(RunTool(state.path().string(), kStart, "--scan '" + point + "' --json", json), 0);
    ::close(fd);
    const std::string u = "d[\"unexplained\"]";
    const std::string file = u + "[\"deletedOpenFiles\"][0]";
    EXPECT_EQ(Figure(json, file + "[\"path\"]"), held) << Contents(json);
    EXPECT_EQ(Figure(json, file + "[\"pid\"]"), std::to_string(::getpid()));
    EXPECT_EQ(Figure(json, file + "[\"allocatedBytes\"]"), std::to_string(2 << 20));
    // ext4 keeps 5 % and a little more back for the super-user, as statvfs tells anyone.
    const double used = std::stod(Figure(json, u + "[\"usedBytes\"]"));
    const double reserved = std::stod(Figure(json, u + "[\"reservedBytes\"]"));
    EXPECT_EQ(Figure(json,
                     "(lambda s: (s.f_bfree - s.f_bavail) * s.f_frsize)(__import__(\"os\")"
                     ".statvfs(\"" +
                         point + "\"))"),
              Figure(json, u + "[\"reservedBytes\"]"));
    EXPECT_GE(reserved, 16 * 1024 * 1024 * 0.05);
    EXPECT_EQ(Figure(json, u + "[\"usedBytes\"] - " + u + "[\"scannedBytes\"] - " + u +
                               "[\"reservedBytes\"] - 2097152 - " + u + "[\"otherBytes\"]"),
              "0");
    EXPECT_GT(used, reserved);

    ASSERT_EQ(RunTool(state.path().string(), kStart, "--scan '" + point + "/sub' --json", json), 0);
    EXPECT_EQ(Figure(json, "\"unexplained\" in d"), "False");
}

// A history that cannot be written: one line on stderr, exit 1, no report and no file.
// A folder that is not there, or a --grew with one snapshot: an error and its code.
TEST_F(SnapshotMountsTest, failures_oneLineAndTheirCode) {
    if (skipReason_) SKIP_UNLESS_CI(*skipReason_);
    TempDir state("vollmark-snapshot-state");
    const std::string point = sandbox_->path("grow");
    const std::string s = state.path().string();
    const std::string out = (state / "out").string(), err = (state / "err").string();
    std::ofstream(state / "vollmark") << "a file where the folder should be";
    EXPECT_EQ(RunTool(s, kStart, "--scan '" + point + "' --record", out, err), 1);
    EXPECT_EQ(Contents(out), "");
    const std::string error = Contents(err);
    EXPECT_EQ(std::count(error.begin(), error.end(), '\n'), 1) << error;
    std::filesystem::remove(state / "vollmark");

    EXPECT_EQ(RunTool(s, kStart, "--grew '" + point + "/missing'", out, err), 2);
    EXPECT_EQ(RunTool(s, kStart, "--scan '" + point + "' --record"), 0);
    EXPECT_EQ(RunTool(s, kStart + 60, "--grew '" + point + "'", out, err), 1);
    EXPECT_NE(Contents(err).find("fewer than two snapshots"), std::string::npos) << Contents(err);
    EXPECT_EQ(RunTool(s, kStart, "--grew '" + point + "' --since 3x", out, err), 2);
}

}  // namespace
