#include <gtest/gtest.h>

#include "DriveReport.h"
#include "FakeLayer.h"

namespace {

class DriveReportTest : public ::testing::Test {
protected:
    void SetUp() override { DiskUtils::ResetOptionState(); }
    void TearDown() override { DiskUtils::ResetOptionState(); }

    platform::ScopedFakeLayer fake;
};

TEST_F(DriveReportTest, scan_carriesTheWindowsRowsSummariesAndCaption) {
    fake->AddDrive('C', 4'000'000'000, 1'000'000'000, platform::kDriveFixed);
    fake->AddDrive('N', 2'000'000'000, 0, platform::kDriveRemote);
    fake->AddDrive('E', 1'000, 0, platform::kDriveCdRom);
    const DriveReport report = ScanDrives();
    EXPECT_EQ(report.Entries, (std::vector<std::string>{"*", "#", "C", "E", "N"}));
    EXPECT_EQ(report.LocalRow.UsedText, "3.00 Go");
    EXPECT_EQ(report.LocalRow.PercentText, "75.0 %");
    EXPECT_EQ(report.NetworkRow.PercentText, "100.0 %");
    EXPECT_EQ(report.LocalTotals.FreeBytes, 1'000'000'000);
    EXPECT_EQ(report.Caption, "Vollmark - Total: 4.00 Go (25.0 % Free)");
    ASSERT_EQ(report.Drives.size(), 3u);
    EXPECT_EQ(report.Drives[0].Row.RowText, "C:");
    EXPECT_EQ(report.Drives[0].Row.TotalText, "4,000.00 Mo");
    EXPECT_EQ(report.Drives[0].Row.PercentText, "75.0 %");
    EXPECT_EQ(report.Drives[0].FreePercentText, "25.0 %");
    EXPECT_EQ(report.Drives[1].Disk.DriveLetter, 'E');
    EXPECT_EQ(report.Drives[2].Disk.UsedBytes, 2'000'000'000);
}

TEST_F(DriveReportTest, scan_takesSourceMountPointAndReadOnlyFromTheLayer) {
    auto& c = fake->AddDrive('C', 1000, 10, platform::kDriveFixed);
    c.source = "/dev/sda1";
    c.mountPoint = "/";
    c.volume.fileSystemFlags = 0x3;
    fake->AddDrive('E', 1000, 0, platform::kDriveCdRom).volume.fileSystemFlags =
        kReadOnlyVolume | 0x3;
    fake->withoutLetter = {{"/mnt/t27", "ext4", 2000, 500}};
    const DriveReport report = ScanDrives();
    ASSERT_EQ(report.Drives.size(), 2u);
    EXPECT_EQ(report.Drives[0].Source, "/dev/sda1");
    EXPECT_EQ(report.Drives[0].MountPoint, "/");
    EXPECT_FALSE(report.Drives[0].ReadOnly());
    EXPECT_FALSE(report.Drives[1].Source);
    EXPECT_TRUE(report.Drives[1].ReadOnly());
    ASSERT_EQ(report.WithoutLetter.size(), 1u);
    EXPECT_EQ(report.WithoutLetter[0].mountPoint, "/mnt/t27");
}

// Every query of the report falls inside one scan, so the layer can answer each drive from a
// single system call.
TEST_F(DriveReportTest, scan_asksEverythingInsideOneOpenScan) {
    fake->AddDrive('C', 1000, 10, platform::kDriveFixed);
    fake->AddDrive('D', 1000, 10, platform::kDriveRemote);
    ScanDrives();
    EXPECT_EQ(fake->scans().unscoped, 0);
    EXPECT_GE(fake->scans().begun, 1);
    EXPECT_FALSE(fake->scanning());
}

TEST_F(DriveReportTest, driveVanishingBetweenRescanAndRecord_isLeftOut) {
    fake->AddDrive('C', 1000, 10, platform::kDriveFixed);
    auto& d = fake->AddDrive('D', 1000, 10, platform::kDriveFixed);
    // The rescan's selection of D asks eight space queries; the record's selection fails.
    d.stopsAnsweringAfter = 8;
    const DriveReport report = ScanDrives();
    ASSERT_EQ(report.Drives.size(), 1u);
    EXPECT_EQ(report.Drives[0].Disk.DriveLetter, 'C');
}

}  // namespace
