#include <gtest/gtest.h>

#include <string>

#include "OsLayer.h"
#include "Win32Calls.h"
#include "Win32Layer.h"
#include "WineDrives.h"

namespace platform {
namespace {

using wine_drives::answeringDrives;
using wine_drives::kAbsentLetter;

std::string rootOf(char letter) {
    return std::string{letter, ':', '\\'};
}

// A system without GetDiskFreeSpaceExA gets the legacy space query; this is how it is told.
TEST(Win32Calls, findProcedure_answersNothingForAMissingNameOrModule) {
    EXPECT_TRUE(win32::findProcedure("kernel32.dll", "GetDiskFreeSpaceExA").has_value());
    EXPECT_FALSE(win32::findProcedure("kernel32.dll", "GetDiskFreeSpaceExZ").has_value());
    EXPECT_FALSE(win32::findProcedure("no-such-module.dll", "GetDiskFreeSpaceExA").has_value());
}

class WineLayer : public ::testing::Test {
protected:
    void SetUp() override {
        if (!wine_drives::runningUnderWine()) GTEST_SKIP() << "needs the drives of a wine prefix";
    }
};

TEST_F(WineLayer, everyDrive_answersItsSpaceVolumeAndType) {
    const auto layer = createWin32Layer(SpaceQuery::Extended);
    for (const auto& expected : answeringDrives()) {
        SCOPED_TRACE(expected.letter);
        const std::string root = rootOf(expected.letter);
        const auto space = layer->diskFreeSpace(root);
        ASSERT_TRUE(space.has_value());
        EXPECT_GT(space->totalBytes, 0);
        EXPECT_GE(space->freeBytesForCaller, 0);
        EXPECT_LE(space->freeBytesForCaller, space->totalBytes);

        const auto volume = layer->volumeInformation(root);
        ASSERT_TRUE(volume.has_value());
        EXPECT_EQ(volume->volumeName, expected.label);
        EXPECT_EQ(volume->fileSystemName, expected.fileSystem);
        if (expected.serial) {
            EXPECT_EQ(volume->serialNumber, *expected.serial);
        }
        EXPECT_GT(volume->maximumComponentLength, 0u);

        EXPECT_EQ(layer->driveType(root), expected.type);
    }
}

TEST_F(WineLayer, letterWithoutDrive_answersNothingAndNoRootDirectory) {
    for (const auto query : {SpaceQuery::Extended, SpaceQuery::Legacy}) {
        const auto layer = createWin32Layer(query);
        const std::string root = rootOf(kAbsentLetter);
        EXPECT_FALSE(layer->diskFreeSpace(root).has_value());
        EXPECT_FALSE(layer->volumeInformation(root).has_value());
        EXPECT_EQ(layer->driveType(root), kDriveNoRootDir);
    }
}

double bytes(std::int64_t count) {
    return static_cast<double>(count);
}

// Wine answers both space calls from the same statfs, so the two paths agree up to what the
// disk's other users change between the calls and the rounding to whole clusters that the
// legacy call may need on a volume of more than 2^32 clusters.
TEST_F(WineLayer, legacySpaceQuery_answersTheSameCountsAsTheExtendedOne) {
    const auto extended = createWin32Layer(SpaceQuery::Extended);
    const auto legacy = createWin32Layer(SpaceQuery::Legacy);
    for (const auto& drive : answeringDrives()) {
        SCOPED_TRACE(drive.letter);
        const auto viaLegacy = legacy->diskFreeSpace(rootOf(drive.letter));
        const auto viaExtended = extended->diskFreeSpace(rootOf(drive.letter));
        ASSERT_TRUE(viaLegacy && viaExtended);
        const double tolerance = bytes(viaExtended->totalBytes) / 1000;
        EXPECT_NEAR(bytes(viaLegacy->totalBytes), bytes(viaExtended->totalBytes), tolerance);
        EXPECT_NEAR(bytes(viaLegacy->freeBytesForCaller), bytes(viaExtended->freeBytesForCaller),
                    tolerance);
    }
}

TEST_F(WineLayer, emptyRootPath_answersForTheCurrentDirectorysDrive) {
    const auto layer = createWin32Layer(SpaceQuery::Extended);
    EXPECT_TRUE(layer->diskFreeSpace("").has_value());
    EXPECT_TRUE(layer->volumeInformation("").has_value());
    EXPECT_EQ(layer->driveType(""), kDriveFixed);
}

TEST_F(WineLayer, systemLayer_isTheWin32One) {
    const auto layer = createSystemLayer();
    const auto volume = layer->volumeInformation(rootOf('M'));
    ASSERT_TRUE(volume.has_value());
    EXPECT_EQ(volume->fileSystemName, "CDFS");
}

}  // namespace
}  // namespace platform
