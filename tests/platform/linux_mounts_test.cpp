#include <signal.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string_view>
#include <thread>

#include "MountSandbox.h"
#include "linux/DriveLetters.h"
#include "linux/LinuxLayer.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

constexpr const char* kUuid = "0f3a9c1e-55d2-4b7e-9a1c-123456789abc";

struct DfFigures {
    std::int64_t size = -1;
    std::int64_t avail = -1;
};

DfFigures dfOf(const std::string& mountPoint) {
    const std::string command = "df -B1 --output=size,avail '" + mountPoint + "' 2>/dev/null";
    DfFigures figures;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return figures;
    char header[256];
    long long size = -1;
    long long avail = -1;
    if (fgets(header, sizeof header, pipe) && fscanf(pipe, "%lld %lld", &size, &avail) == 2)
        figures = {size, avail};
    pclose(pipe);
    return figures;
}

std::string rootOf(char letter) {
    return std::string(1, letter) + ":\\";
}

// The sandbox is built once for the whole executable: entering the namespace must happen while
// the process is single-threaded, and the FUSE daemon and images take a moment to set up.
class Mounts : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        skipReason_ = MountSandbox::enterPrivateNamespace();
        if (skipReason_) return;
        sandbox_ = std::make_unique<MountSandbox>();
        if (!sandbox_->ready()) {
            skipReason_ = "cannot mount a tmpfs";
            return;
        }
        sandbox_->mountTmpfs("t8", "8m");
        sandbox_->mountTmpfs("t3", "3m");
        sandbox_->bindMount("t3", "u-bind");
        loopReady_ = sandbox_->mountExt4Image("ext", "Vol Disk", kUuid);
        squashReady_ = sandbox_->mountSquashImage("squash");
        fuseReady_ = sandbox_->mountHungFuse("hung", HUNG_FUSE_DAEMON);
        if (loopReady_) linkDevice(*MountSandbox::sourceOf(sandbox_->path("ext")));
    }
    static void TearDownTestSuite() { sandbox_.reset(); }

    // No udev here: the by-label and by-uuid folders are made by hand, udev-escaped.
    static void linkDevice(const std::string& device) {
        fs::create_directories(sandbox_->path("by-label"));
        fs::create_directories(sandbox_->path("by-uuid"));
        fs::create_symlink(device, sandbox_->path("by-label/Vol\\x20Disk"));
        fs::create_symlink(device, sandbox_->path("by-uuid/") + kUuid);
    }

    void SetUp() override {
        if (skipReason_) SKIP_UNLESS_CI(*skipReason_);
        linuxfs::SystemPaths paths;
        paths.diskByLabel = sandbox_->path("by-label");
        paths.diskByUuid = sandbox_->path("by-uuid");
        paths.stuckHelperRecords = sandbox_->path("records");
        layer_ = createLinuxLayer(paths);
    }

    static linuxfs::SystemPaths recordsInSandbox() {
        linuxfs::SystemPaths paths;
        paths.stuckHelperRecords = sandbox_->path("records");
        return paths;
    }

    std::optional<char> letterOf(const std::string& mountPoint) {
        for (char letter = 'A'; letter <= 'Z'; ++letter)
            if (layer_->mountPoint(rootOf(letter)) == mountPoint) return letter;
        return std::nullopt;
    }
    std::optional<char> letterOfSandbox(const std::string& name) {
        return letterOf(sandbox_->path(name));
    }

    static inline std::optional<std::string> skipReason_;
    static inline std::unique_ptr<MountSandbox> sandbox_;
    static inline bool loopReady_ = false;
    static inline bool squashReady_ = false;
    static inline bool fuseReady_ = false;
    std::unique_ptr<OsLayer> layer_;
};

TEST_F(Mounts, shownMounts_matchDfByteForByte) {
    std::vector<std::string> points{sandbox_->base(), sandbox_->path("t8"), sandbox_->path("t3")};
    if (loopReady_) points.push_back(sandbox_->path("ext"));
    for (const auto& point : points) {
        SCOPED_TRACE(point);
        const auto letter = letterOf(point);
        ASSERT_TRUE(letter);
        const auto space = layer_->diskFreeSpace(rootOf(*letter));
        ASSERT_TRUE(space);
        const auto df = dfOf(point);
        EXPECT_EQ(space->totalBytes, df.size);
        EXPECT_EQ(space->freeBytesForCaller, df.avail);
    }
    EXPECT_EQ(layer_->diskFreeSpace(rootOf(*letterOfSandbox("t8")))->totalBytes, 8 << 20);
    EXPECT_EQ(layer_->diskFreeSpace(rootOf('C'))->totalBytes, dfOf("/").size);
}

TEST_F(Mounts, bindMountAndSquashImage_getNoLetter) {
    EXPECT_TRUE(letterOfSandbox("t3"));
    EXPECT_FALSE(letterOfSandbox("u-bind"));
    if (!squashReady_) SKIP_UNLESS_CI("squashfs image could not be mounted");
    EXPECT_TRUE(MountSandbox::isMounted(sandbox_->path("squash")));
    EXPECT_FALSE(letterOfSandbox("squash"));
}

TEST_F(Mounts, lettersOfTheSandbox_followMountPointOrder) {
    const auto t3 = letterOfSandbox("t3");
    const auto t8 = letterOfSandbox("t8");
    ASSERT_TRUE(t3 && t8);
    EXPECT_EQ(*t8, *t3 + 1);
    EXPECT_EQ(layer_->mountPoint(rootOf('C')), "/");
    EXPECT_EQ(layer_->mountPoint(rootOf('A')), std::nullopt);
    EXPECT_EQ(layer_->mountPoint(rootOf('B')), std::nullopt);
}

TEST_F(Mounts, labelledExt4_reportsLabelSerialAndType) {
    if (!loopReady_) SKIP_UNLESS_CI("no loop device for the ext4 image");
    const auto letter = letterOfSandbox("ext");
    ASSERT_TRUE(letter);
    const auto info = layer_->volumeInformation(rootOf(*letter));
    ASSERT_TRUE(info);
    EXPECT_EQ(info->volumeName, "Vol Disk");
    EXPECT_EQ(info->fileSystemName, "ext4");
    EXPECT_EQ(info->serialNumber, 0x0f3a9c1eu);
    EXPECT_EQ(info->maximumComponentLength, 255u);
    EXPECT_EQ(info->fileSystemFlags & 0x3u, 0x3u);
    EXPECT_EQ(info->fileSystemFlags & 0x80000u, 0u);
    EXPECT_EQ(layer_->driveType(rootOf(*letter)), kDriveFixed);
}

TEST_F(Mounts, unlabelledTmpfs_isRamDiskNamedByItsMountPoint) {
    const auto letter = letterOfSandbox("t8");
    ASSERT_TRUE(letter);
    const auto info = layer_->volumeInformation(rootOf(*letter));
    ASSERT_TRUE(info);
    EXPECT_EQ(info->volumeName, sandbox_->path("t8"));
    EXPECT_EQ(info->fileSystemName, "tmpfs");
    EXPECT_EQ(layer_->driveType(rootOf(*letter)), kDriveRamDisk);
}

TEST_F(Mounts, mountComingAndGoing_takesLowestFreeLetterThenStopsAnswering) {
    const auto before = letterOfSandbox("t8");
    ASSERT_TRUE(before);
    ASSERT_TRUE(sandbox_->mountTmpfs("a-new", "1m"));
    const auto fresh = letterOfSandbox("a-new");
    ASSERT_TRUE(fresh);
    EXPECT_EQ(letterOfSandbox("t8"), before) << "a letter stays with its mount point";
    EXPECT_EQ(layer_->diskFreeSpace(rootOf(*fresh))->totalBytes, 1 << 20);

    ASSERT_TRUE(sandbox_->unmount("a-new"));
    EXPECT_EQ(layer_->diskFreeSpace(rootOf(*fresh)), std::nullopt);
    EXPECT_EQ(layer_->driveType(rootOf(*fresh)), kDriveNoRootDir);
    EXPECT_EQ(letterOfSandbox("t8"), before);
}

TEST_F(Mounts, badRootPaths_answerNothing) {
    for (const char* root : {"", "C", "C:\\x", "1:\\", "[:\\", "CC:\\"}) {
        EXPECT_EQ(layer_->diskFreeSpace(root), std::nullopt) << root;
        EXPECT_EQ(layer_->driveType(root), kDriveNoRootDir) << root;
    }
    EXPECT_TRUE(layer_->diskFreeSpace("c:"));
}

TEST_F(Mounts, hungFuseMount_answersNothingWhileOtherMountsStillAnswer) {
    if (!fuseReady_) SKIP_UNLESS_CI("no FUSE mount (needs /dev/fuse)");
    const auto letter = letterOfSandbox("hung");
    ASSERT_TRUE(letter) << "a mount that does not answer keeps its letter";
    EXPECT_EQ(layer_->diskFreeSpace(rootOf(*letter)), std::nullopt);
    EXPECT_EQ(layer_->volumeInformation(rootOf(*letter)), std::nullopt);
    EXPECT_EQ(layer_->driveType(rootOf(*letter)), kDriveFixed);
    EXPECT_TRUE(layer_->diskFreeSpace(rootOf(*letterOfSandbox("t8"))));
}

TEST_F(Mounts, processStuckOnHungMount_stillExitsWithItsCode) {
    if (!fuseReady_) SKIP_UNLESS_CI("no FUSE mount (needs /dev/fuse)");
    const std::string hung = sandbox_->path("hung");
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        {
            // Records of its own: the suite's records would tell it the mount is stuck already.
            linuxfs::SystemPaths paths;
            paths.stuckHelperRecords = sandbox_->path("records-" + std::to_string(getpid()));
            auto layer = createLinuxLayer(paths);
            for (char letter = 'D'; letter <= 'Z'; ++letter)
                if (layer->mountPoint(rootOf(letter)) == hung) layer->diskFreeSpace(rootOf(letter));
        }
        // _exit: the sandbox belongs to the parent and must not be torn down by this copy.
        _exit(7);
    }
    int status = 0;
    pid_t done = 0;
    for (int tries = 0; tries < 250 && done == 0; ++tries) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        done = waitpid(child, &status, WNOHANG);
    }
    if (done == 0) {
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
        FAIL() << "the process did not exit within 5 s";
    }
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 7);
}

TEST_F(Mounts, insideAScan_figuresAndTableHoldUntilItEnds) {
    ASSERT_TRUE(sandbox_->mountTmpfs("scan", "4m"));
    const auto letter = letterOfSandbox("scan");
    ASSERT_TRUE(letter);
    const std::string root = rootOf(*letter);
    const auto freeBefore = layer_->diskFreeSpace(root)->freeBytesForCaller;

    layer_->beginScan();
    layer_->beginScan();
    EXPECT_EQ(layer_->diskFreeSpace(root)->freeBytesForCaller, freeBefore);
    std::ofstream(sandbox_->path("scan/filler")) << std::string(1 << 20, 'x');
    ASSERT_TRUE(sandbox_->mountTmpfs("scan-late", "1m"));
    EXPECT_EQ(layer_->diskFreeSpace(root)->freeBytesForCaller, freeBefore);
    EXPECT_FALSE(letterOfSandbox("scan-late")) << "the table is read once per scan";
    layer_->endScan();
    EXPECT_EQ(layer_->diskFreeSpace(root)->freeBytesForCaller, freeBefore) << "scans nest";
    layer_->endScan();

    EXPECT_LE(layer_->diskFreeSpace(root)->freeBytesForCaller, freeBefore - (1 << 20));
    EXPECT_TRUE(letterOfSandbox("scan-late"));
    layer_->beginScan();
    EXPECT_LE(layer_->diskFreeSpace(root)->freeBytesForCaller, freeBefore - (1 << 20))
        << "a new scan reads afresh";
    layer_->endScan();
    EXPECT_TRUE(sandbox_->unmount("scan-late"));
    EXPECT_TRUE(sandbox_->unmount("scan"));
}

TEST_F(Mounts, ext4UnderATmpfsMountedOverItsParent_isNoDrive) {
    if (!sandbox_->mountExt4Image("p/child", "Child", kUuid)) SKIP_UNLESS_CI("no loop device");
    EXPECT_TRUE(letterOfSandbox("p/child"));
    ASSERT_TRUE(sandbox_->mountTmpfs("p", "2m"));
    EXPECT_FALSE(letterOfSandbox("p/child")) << "its path now leads into the tmpfs";
    const auto upper = letterOfSandbox("p");
    ASSERT_TRUE(upper);
    EXPECT_EQ(layer_->volumeInformation(rootOf(*upper))->fileSystemName, "tmpfs");
    EXPECT_EQ(layer_->diskFreeSpace(rootOf(*upper))->totalBytes, 2 << 20);
    EXPECT_TRUE(sandbox_->unmount("p"));
    EXPECT_TRUE(letterOfSandbox("p/child")) << "uncovered again";
    EXPECT_TRUE(sandbox_->unmount("p/child"));
}

TEST_F(Mounts, source_isTheDeviceOrTheTmpfsName) {
    EXPECT_EQ(layer_->source(rootOf(*letterOfSandbox("t8"))), "tmpfs");
    EXPECT_EQ(layer_->source(rootOf('A')), std::nullopt);
    if (!loopReady_) SKIP_UNLESS_CI("no loop device for the ext4 image");
    EXPECT_EQ(layer_->source(rootOf(*letterOfSandbox("ext"))),
              MountSandbox::sourceOf(sandbox_->path("ext")));
}

TEST_F(Mounts, moreFileSystemsThanLetters_lastOnesReportedWithoutLetter) {
    constexpr int kCount = 26;
    std::vector<std::string> names;
    for (int i = 1; i <= kCount; ++i) {
        names.push_back("many/m" + std::to_string(i));
        ASSERT_TRUE(sandbox_->mountTmpfs(names.back(), "1m"));
    }
    const auto without = layer_->mountsWithoutLetter();
    std::vector<bool> lettered;
    for (const auto& name : names) {
        const bool hasLetter = letterOfSandbox(name).has_value();
        lettered.push_back(hasLetter);
        const auto listed =
            std::ranges::find(without, sandbox_->path(name), &MountWithoutLetter::mountPoint);
        EXPECT_EQ(listed == without.end(), hasLetter) << name;
        if (listed == without.end()) continue;
        EXPECT_EQ(listed->fileSystemName, "tmpfs");
        EXPECT_EQ(listed->totalBytes, 1 << 20);
        EXPECT_EQ(listed->freeBytesForCaller, 1 << 20);
    }
    EXPECT_FALSE(lettered.back()) << "there are only 23 letters after C";
    std::vector<std::string> listedPoints;
    for (const auto& mount : without) listedPoints.push_back(mount.mountPoint);
    EXPECT_TRUE(std::ranges::is_sorted(listedPoints, linuxfs::naturalLess));
    EXPECT_TRUE(std::ranges::is_sorted(lettered, std::greater<>()))
        << "m2 comes before m10, so the letters run out at the end of the natural order";
    for (auto it = names.rbegin(); it != names.rend(); ++it) EXPECT_TRUE(sandbox_->unmount(*it));
}

TEST_F(Mounts, fiftyRunsOnAHungMount_leaveOneStuckProcess) {
    if (!fuseReady_ || !sandbox_->mountHungFuse("hung-runs", HUNG_FUSE_DAEMON))
        SKIP_UNLESS_CI("no FUSE mount (needs /dev/fuse)");
    if (!sandbox_->fuseRequestsWaiting("hung-runs"))
        SKIP_UNLESS_CI("no fuse control file system to count stuck processes");
    for (int run = 0; run < 50; ++run) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            auto layer = createLinuxLayer(recordsInSandbox());
            layer->beginScan();
            for (char letter = 'A'; letter <= 'Z'; ++letter) layer->diskFreeSpace(rootOf(letter));
            layer->endScan();
            _exit(0);
        }
        int status = 0;
        pid_t done = 0;
        for (int tries = 0; tries < 250 && done == 0; ++tries) {
            done = waitpid(child, &status, WNOHANG);
            if (done == 0) std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        if (done == 0) kill(child, SIGKILL);
        ASSERT_NE(done, 0) << "run " << run << " did not end";
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "run " << run;
    }
    EXPECT_EQ(sandbox_->fuseRequestsWaiting("hung-runs"), 1);
    sandbox_->killFuseDaemon("hung-runs");
    sandbox_->unmount("hung-runs");
}

TEST_F(Mounts, killedFuseDaemon_releasesTheStuckQuery) {
    if (!fuseReady_ || !sandbox_->mountHungFuse("hung2", HUNG_FUSE_DAEMON))
        SKIP_UNLESS_CI("no FUSE mount (needs /dev/fuse)");
    const std::string hung = sandbox_->path("hung2");
    linuxfs::TimedStatvfs statvfs(std::chrono::milliseconds(100), sandbox_->path("records"));
    EXPECT_EQ(statvfs.query(hung), std::nullopt);
    EXPECT_TRUE(statvfs.isStuck(hung));
    EXPECT_TRUE(statvfs.query(sandbox_->path("t8"))) << "a fresh helper serves the other mounts";

    sandbox_->killFuseDaemon("hung2");
    bool stuck = true;
    for (int tries = 0; tries < 250 && stuck; ++tries) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        stuck = statvfs.isStuck(hung);
    }
    EXPECT_FALSE(stuck);
    EXPECT_EQ(statvfs.query(hung), std::nullopt) << "the connection is gone";
    EXPECT_FALSE(statvfs.isStuck(hung)) << "a failing call is not a stuck one";
    sandbox_->unmount("hung2");
}

}  // namespace
}  // namespace platform
