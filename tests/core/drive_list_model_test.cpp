#include <gtest/gtest.h>

#include "DriveListModel.h"
#include "FakeLayer.h"

using namespace DiskUtils;

namespace {

class DriveListModelTest : public ::testing::Test {
protected:
    void SetUp() override { ResetOptionState(); }
    void TearDown() override { ResetOptionState(); }

    platform::ScopedFakeLayer fake;
    TDisk probe;
    TDriveListModel model;
};

CapacityTotals Giga(std::int64_t total, std::int64_t free, std::int64_t used) {
    return {Capacity{total}, Capacity{free}, Capacity{used}};
}

// The sums as the summary rows show them, without the byte sums beside them.
CapacityTotals GigaOnly(CapacityTotals totals) {
    totals.TotalBytes = totals.FreeBytes = totals.UsedBytes = 0;
    return totals;
}

TEST_F(DriveListModelTest, rescan_listsAnsweringDrivesInLetterOrderAfterSummaries) {
    fake->AddDrive('Z', 1000, 10, platform::kDriveRemote);
    fake->AddDrive('C', 1000, 10, platform::kDriveFixed);
    fake->AddDrive('A', 1000, 10, platform::kDriveRemovable);
    model.Rescan(probe);
    EXPECT_EQ(model.Entries(), (std::vector<std::string>{"*", "#", "A", "C", "Z"}));
}

TEST_F(DriveListModelTest, rescan_sumsFixedAndNetworkDrivesOnlyInGigaUnits) {
    fake->AddDrive('C', 2'000'000'000, 500'000'000, platform::kDriveFixed);
    fake->AddDrive('D', 1'500'000'000, 1'000'000'000, platform::kDriveFixed);
    fake->AddDrive('N', 4'000'000'000, 1'000'000'000, platform::kDriveRemote);
    fake->AddDrive('E', 900'000'000'000, 1, platform::kDriveRemovable);
    fake->AddDrive('F', 700'000'000, 0, platform::kDriveCdRom);
    fake->AddDrive('R', 64'000'000, 1, platform::kDriveRamDisk);
    fake->AddDrive('U', 64'000'000, 1, platform::kDriveUnknown);
    model.Rescan(probe);
    EXPECT_EQ(model.Entries().size(), 9u);
    EXPECT_EQ(GigaOnly(model.LocalTotals()), Giga(35000, 15000, 20000));
    EXPECT_EQ(GigaOnly(model.NetworkTotals()), Giga(40000, 10000, 30000));
    EXPECT_EQ(model.LocalTotals().TotalBytes, 3'500'000'000);
    EXPECT_EQ(model.LocalTotals().FreeBytes, 1'500'000'000);
    EXPECT_EQ(model.NetworkTotals().UsedBytes, 3'000'000'000);
}

TEST_F(DriveListModelTest, rescan_isOneScanOfTheLayer) {
    fake->AddDrive('C', 1000, 10, platform::kDriveFixed);
    model.Rescan(probe);
    EXPECT_EQ(fake->scans().begun, 1);
    EXPECT_EQ(fake->scans().ended, 1);
}

TEST_F(DriveListModelTest, rescan_withoutDrives_leavesSummariesWithZeroSums) {
    model.Rescan(probe);
    EXPECT_EQ(model.Entries(), (std::vector<std::string>{"*", "#"}));
    EXPECT_EQ(GigaOnly(model.LocalTotals()), Giga(0, 0, 0));
    EXPECT_EQ(GigaOnly(model.NetworkTotals()), Giga(0, 0, 0));
}

TEST_F(DriveListModelTest, rescanAfterDriveVanished_dropsItsEntryAndItsShare) {
    fake->AddDrive('C', 2'000'000'000, 500'000'000, platform::kDriveFixed);
    fake->AddDrive('D', 1'000'000'000, 1'000'000'000, platform::kDriveFixed);
    model.Rescan(probe);
    fake->remove('D');
    model.Rescan(probe);
    EXPECT_EQ(model.Entries(), (std::vector<std::string>{"*", "#", "C"}));
    EXPECT_EQ(GigaOnly(model.LocalTotals()), Giga(20000, 5000, 15000));
}

TEST_F(DriveListModelTest, rescanAfterDivisorChange_recomputesTheSums) {
    fake->AddDrive('C', 1'073'741'824, 0, platform::kDriveFixed);
    model.Rescan(probe);
    EXPECT_EQ(model.LocalTotals().Total, Capacity{10737});
    SetUnitDivisors(UnitDivisors1024);
    model.Rescan(probe);
    EXPECT_EQ(model.LocalTotals().Total, Capacity{10000});
}

// The drive answers the presence test and then stops: it is listed, but its byte counts
// are -1 and must not pull the sums below zero.
TEST_F(DriveListModelTest, driveStoppingDuringRescan_isListedButAddsNothing) {
    fake->AddDrive('C', 2'000'000'000, 500'000'000, platform::kDriveFixed);
    fake->drive('C').stopsAnsweringAfter = 1;
    model.Rescan(probe);
    EXPECT_EQ(model.Entries(), (std::vector<std::string>{"*", "#", "C"}));
    EXPECT_EQ(GigaOnly(model.LocalTotals()), Giga(0, 0, 0));
}

}  // namespace
