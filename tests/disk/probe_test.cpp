#include <gtest/gtest.h>

#include "DiskUtils.h"
#include "FakeLayer.h"

using namespace DiskUtils;

namespace {

class ProbeTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetOptionState();
        auto& c = fake->drive('C');
        c.totalBytes = 250'059'350'016;
        c.freeBytes = 50'011'870'003;
        c.volume = {"SYSTEM", "NTFS", 0x12AB34CD, 255, 0x3E700FF};
        c.type = platform::kDriveFixed;
    }
    void TearDown() override { ResetOptionState(); }

    platform::ScopedFakeLayer fake;
};

void ExpectNew(const TDisk& d) {
    EXPECT_FALSE(d.Present);
    EXPECT_EQ(d.DriveIndex, 0);
    EXPECT_EQ(d.DriveLetter, '\0');
    EXPECT_EQ(d.TotalBytes + d.FreeBytes + d.UsedBytes, 0);
    EXPECT_EQ(d.DriveType + d.SerialNumber, 0u);
    EXPECT_EQ(d.FreePercent + d.UsedPercent, 0.0f);
    EXPECT_EQ(d.VolumeName + d.FileSystemName + d.DriveTypeText + d.SerialText, "");
}

void ExpectAbsent(const TDisk& d, std::uint8_t index, char letter) {
    EXPECT_FALSE(d.Present);
    EXPECT_EQ(d.DriveIndex, index);
    EXPECT_EQ(d.DriveLetter, letter);
    EXPECT_EQ(d.TotalBytes + d.FreeBytes + d.UsedBytes, 0);
    EXPECT_EQ(d.DriveType + d.SerialNumber, 0u);
    EXPECT_EQ(d.FreePercent + d.UsedPercent, 0.0f);
    EXPECT_EQ(d.VolumeName + d.FileSystemName, "");
    EXPECT_EQ(d.DriveTypeText, "0");
    EXPECT_EQ(d.SerialText, "0000-0000");
}

TEST_F(ProbeTest, newProbe_isEmptyAndQueriesNothing) {
    TDisk d;
    ExpectNew(d);
    d.SetDriveIndex(0);
    ExpectNew(d);
    EXPECT_EQ(fake->counts().space + fake->counts().volume + fake->counts().type, 0);
}

TEST_F(ProbeTest, presentDrive_fillsEveryField) {
    TDisk d;
    d.SetDriveIndex(3);
    EXPECT_TRUE(d.Present);
    EXPECT_EQ(d.DriveLetter, 'C');
    EXPECT_EQ(d.TotalBytes, 250'059'350'016);
    EXPECT_EQ(d.FreeBytes, 50'011'870'003);
    EXPECT_EQ(d.UsedBytes, 200'047'480'013);
    EXPECT_EQ(d.VolumeName, "SYSTEM");
    EXPECT_EQ(d.FileSystemName, "NTFS");
    EXPECT_EQ(d.DriveType, 3u);
    EXPECT_EQ(d.DriveTypeText, "Local drive");
    EXPECT_EQ(d.SerialNumber, 0x12AB34CDu);
    EXPECT_EQ(d.SerialText, "12AB-34CD");
    EXPECT_FLOAT_EQ(d.FreePercent, 20.0f);
    EXPECT_FLOAT_EQ(d.UsedPercent, 80.0f);
    // Presence probe + 2 + 2 + 3 for the three byte counts.
    EXPECT_EQ(fake->counts().space, 8);
    EXPECT_EQ(fake->counts().volume, 3);
    EXPECT_EQ(fake->counts().type, 1);
}

TEST_F(ProbeTest, sameIndex_queriesNothingAndKeepsStaleFields) {
    TDisk d;
    d.SetDriveIndex(3);
    fake->drive('C').totalBytes = 1;
    fake->resetCounts();
    d.SetDriveIndex(3);
    EXPECT_EQ(fake->counts().space + fake->counts().volume + fake->counts().type, 0);
    EXPECT_EQ(d.TotalBytes, 250'059'350'016);
    d.SetDriveIndex(4);
    d.SetDriveIndex(3);
    EXPECT_EQ(d.TotalBytes, 1);
}

TEST_F(ProbeTest, missingDrive_isAbsentButKeepsItsLetter) {
    TDisk d;
    d.SetDriveIndex(3);
    d.SetDriveIndex(26);
    ExpectAbsent(d, 26, 'Z');
    EXPECT_EQ(fake->countsFor('Z').volume + fake->countsFor('Z').type, 0);
}

TEST_F(ProbeTest, outOfRangeIndex_isAbsentWithNoLetter) {
    TDisk d;
    d.SetDriveIndex(27);
    ExpectAbsent(d, 27, '\0');
    EXPECT_EQ(fake->counts().space, 0);
}

TEST_F(ProbeTest, driveStoppingAfterPresenceTest_keepsPresentWithMinusOneCounts) {
    fake->drive('C').stopsAnsweringAfter = 1;
    TDisk d;
    d.SetDriveIndex(3);
    EXPECT_TRUE(d.Present);
    EXPECT_EQ(d.TotalBytes, -1);
    EXPECT_EQ(d.FreeBytes, -1);
    EXPECT_EQ(d.UsedBytes, -1);
    d.SetDriveIndex(4);
    d.SetDriveIndex(3);
    ExpectAbsent(d, 3, 'C');
}

TEST_F(ProbeTest, zeroSizedDrive_hasZeroPercentages) {
    fake->drive('C').totalBytes = 0;
    fake->drive('C').freeBytes = 0;
    TDisk d;
    d.SetDriveIndex(3);
    EXPECT_TRUE(d.Present);
    EXPECT_EQ(d.FreePercent, 0.0f);
    EXPECT_EQ(d.UsedPercent, 0.0f);
}

TEST_F(ProbeTest, failedVolumeQuery_givesEmptyNamesAndZeroSerial) {
    fake->drive('C').volumeQueryFails = true;
    TDisk d;
    d.SetDriveIndex(3);
    EXPECT_TRUE(d.Present);
    EXPECT_EQ(d.VolumeName, "");
    EXPECT_EQ(d.FileSystemName, "");
    EXPECT_EQ(d.SerialText, "0000-0000");
    EXPECT_EQ(GetFileSystemFlags('C'), 0u);
}

TEST_F(ProbeTest, volumeNames_stopAtNulAndAt256BytesOnACharacterBoundary) {
    fake->drive('C').volume.volumeName = std::string("DATA\0junk", 9);
    EXPECT_EQ(GetVolumeName('C'), "DATA");
    fake->drive('C').volume.volumeName = std::string(255, 'a') + "\u00E9tude";
    EXPECT_EQ(GetVolumeName('C'), std::string(255, 'a'));
    fake->drive('C').volume.fileSystemName = std::string(300, 'f');
    EXPECT_EQ(GetFileSystemName('C').size(), 256u);
}

TEST(DriveRoutines, lettersAndIndices) {
    EXPECT_EQ(DriveIndexToLetter(0), '\0');
    EXPECT_EQ(DriveIndexToLetter(1), 'A');
    EXPECT_EQ(DriveIndexToLetter(26), 'Z');
    EXPECT_EQ(DriveIndexToLetter(27), '\0');
    EXPECT_EQ(DriveIndexToLetter(255), '\0');
    EXPECT_EQ(DriveLetterToIndex('A'), 1);
    EXPECT_EQ(DriveLetterToIndex('Z'), 26);
    EXPECT_EQ(DriveLetterToIndex('c'), 3);
    EXPECT_EQ(DriveLetterToIndex('z'), 26);
    for (char c : {'*', '#', '[', '{', '@', '`', '\0', '1'})
        EXPECT_EQ(DriveLetterToIndex(c), 0) << c;
    EXPECT_EQ(RootPathOf('C'), "C:\\");
}

TEST(DriveRoutines, typeTexts) {
    EXPECT_EQ(DriveTypeToText(0), "Unknow");
    EXPECT_EQ(DriveTypeToText(1), "Local drive");
    EXPECT_EQ(DriveTypeToText(2), "Removable drive");
    EXPECT_EQ(DriveTypeToText(3), "Local drive");
    EXPECT_EQ(DriveTypeToText(4), "Network drive");
    EXPECT_EQ(DriveTypeToText(5), "CD/DVD rom");
    EXPECT_EQ(DriveTypeToText(6), "RAM disk");
    EXPECT_EQ(DriveTypeToText(7), "7");
    EXPECT_EQ(DriveTypeToText(4294967295u), "4294967295");
}

TEST(DriveRoutines, serialTexts_areNineCharactersWithTheDashFifth) {
    EXPECT_EQ(SerialToText(0), "0000-0000");
    EXPECT_EQ(SerialToText(0x12AB34CD), "12AB-34CD");
    EXPECT_EQ(SerialToText(0xFFFFFFFF), "FFFF-FFFF");
    EXPECT_EQ(SerialToText(0x0000000A), "0000-000A");
}

}  // namespace
