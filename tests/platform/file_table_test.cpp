#include <sys/statvfs.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "TempDir.h"
#include "linux/LinuxLayer.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

// A mount table from a file: the layer's composition without root or real mounts. A regular
// file never flags a change, so the table is read once.
class FileTable : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(temp_.ready());
        paths_.mountInfo = dir_ / "mountinfo";
        paths_.diskByLabel = dir_ / "none";
        paths_.diskByUuid = dir_ / "none";
    }

    void writeTable(const char* text) { std::ofstream(paths_.mountInfo) << text; }

    TempDir temp_{"vollmark-table"};
    const fs::path dir_ = temp_.path();
    linuxfs::SystemPaths paths_;
};

TEST_F(FileTable, missingTable_noDriveAnswers) {
    const auto layer = createLinuxLayer(paths_);
    EXPECT_EQ(layer->diskFreeSpace("C:\\"), std::nullopt);
    EXPECT_EQ(layer->volumeInformation("C:\\"), std::nullopt);
    EXPECT_EQ(layer->mountPoint("C:\\"), std::nullopt);
    EXPECT_EQ(layer->driveType("C:\\"), kDriveNoRootDir);
}

TEST_F(FileTable, shownMounts_getLettersAndAnswer) {
    const std::string scratch = dir_.string();
    writeTable(("22 27 0:21 / /proc rw - proc proc rw\n"
                "27 1 254:0 / / rw,relatime - ext4 /dev/vda rw\n"
                "28 27 0:23 / " +
                scratch +
                " rw - tmpfs tmpfs rw\n"
                "29 27 0:99 / /no/such/place rw - ext4 /dev/sdz1 rw\n")
                   .c_str());
    const auto layer = createLinuxLayer(paths_);
    EXPECT_EQ(layer->mountPoint("C:\\"), "/");
    EXPECT_EQ(layer->mountPoint("D:\\"), "/no/such/place") << "a mount that fails keeps a letter";
    EXPECT_EQ(layer->mountPoint("E:\\"), scratch);
    EXPECT_EQ(layer->mountPoint("F:\\"), std::nullopt);

    struct statvfs root {};
    ASSERT_EQ(statvfs("/", &root), 0);
    const auto space = layer->diskFreeSpace("c:/");
    ASSERT_TRUE(space);
    EXPECT_EQ(space->totalBytes, std::int64_t(root.f_blocks * root.f_frsize));
    EXPECT_EQ(layer->diskFreeSpace("D:\\"), std::nullopt);
    EXPECT_EQ(layer->volumeInformation("D:\\"), std::nullopt);
    EXPECT_EQ(layer->driveType("E:\\"), kDriveRamDisk);
    const auto scratchInfo = layer->volumeInformation("E:\\");
    ASSERT_TRUE(scratchInfo);
    EXPECT_EQ(scratchInfo->volumeName, scratch);
    EXPECT_EQ(scratchInfo->fileSystemName, "tmpfs");
}

}  // namespace
}  // namespace platform
