#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "FakeLayer.h"
#include "RowTexts.h"

using namespace DiskUtils;

namespace {

class RowTextsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetOptionState();
        auto& c = fake->drive('C');
        c.totalBytes = 250'059'350'016;
        c.freeBytes = 158'537'628'570;  // 36.6 % used
        c.volume.volumeName = "SYSTEM";
        c.volume.fileSystemName = "NTFS";
        c.type = platform::kDriveFixed;
    }
    void TearDown() override { ResetOptionState(); }

    platform::ScopedFakeLayer fake;
};

TEST(BarLengthTest, share_givesTwiceTheShareRoundedHalfToEven) {
    const struct {
        float share;
        int length;
    } cases[] = {{0.0f, 0},
                 {0.5f, 0},
                 {1.5f, 4},
                 {2.5f, 4},
                 {36.6f, 74},
                 {79.4f, 158},
                 {80.0f, 160},
                 {95.0f, 190},
                 {96.0f, 192},
                 {100.0f, 200},
                 {100.5f, 200},
                 {-3.0f, 0},
                 {std::numeric_limits<float>::infinity(), 0},
                 {std::nanf(""), 0}};
    for (const auto& c : cases) EXPECT_EQ(BarLengthOf(c.share), c.length) << c.share;
}

TEST_F(RowTextsTest, summaryRow_roundsTheShareBeforePrintingIt) {
    const CapacityTotals totals{Capacity{2'500'600}, Capacity{1'585'400}, Capacity{915'200}};
    const RowContent row = SummaryRowContent(kLocalSummaryLabel, totals);
    EXPECT_EQ(row.Label, "LOCAL DISKS VALUE");
    EXPECT_EQ(row.TotalText, "250.06 Go");
    EXPECT_EQ(row.FreeText, "158.54 Go");
    EXPECT_EQ(row.UsedText, "91.52 Go");
    EXPECT_EQ(row.PercentText, "37.0 %");
    EXPECT_EQ(row.BarLength, 74);
    EXPECT_EQ(row.RowText, "");
    EXPECT_EQ(row.BracketText, "");
}

TEST_F(RowTextsTest, summaryRowWithZeroSums_showsZeroWithoutBar) {
    const RowContent row = SummaryRowContent(kNetworkSummaryLabel, {});
    EXPECT_EQ(row.TotalText, "0.00 Go");
    EXPECT_EQ(row.UsedText, "0.00 Go");
    EXPECT_EQ(row.PercentText, "0.0 %");
    EXPECT_EQ(row.BarLength, 0);
}

TEST_F(RowTextsTest, summaryTexts_followSeparatorsAndUnitWords) {
    Separators = {".", ","};
    SetUnitNames(ByteUnitNames);
    const CapacityTotals totals{Capacity{12'345'000'000}, Capacity{0}, Capacity{12'345'000'000}};
    const RowContent row = SummaryRowContent(kLocalSummaryLabel, totals);
    EXPECT_EQ(row.TotalText, "1.234.500,00 GB");
    EXPECT_EQ(row.PercentText, "100,0 %");
}

TEST_F(RowTextsTest, caption_showsLocalTotalAndRoundedFreeShare) {
    const CapacityTotals totals{Capacity{2'500'600}, Capacity{1'585'400}, Capacity{915'200}};
    EXPECT_EQ(CaptionText(totals), "Vollmark - Total: 250.06 Go (63.0 % Free)");
    EXPECT_EQ(CaptionText({}), "Vollmark - Total: 0.00 Go (0.0 % Free)");
}

TEST_F(RowTextsTest, driveRow_showsExactShareAndFiguresInDisplayUnit) {
    TDisk probe;
    probe.SetDriveIndex(3);
    const RowContent row = DriveRowContent(probe);
    EXPECT_EQ(row.RowText, "C:");
    EXPECT_EQ(row.Label, "SYSTEM");
    EXPECT_EQ(row.BracketText, "[NTFS - Local drive]");
    EXPECT_EQ(row.TotalText, "250,059.35 Mo");
    EXPECT_EQ(row.FreeText, "158,537.63 Mo");
    EXPECT_EQ(row.UsedText, "91,521.72 Mo");
    EXPECT_EQ(row.PercentText, "36.6 %");
    EXPECT_EQ(row.BarLength, 74);
    DisplayUnit = suGiga;
    EXPECT_EQ(DriveRowContent(probe).TotalText, "250.06 Go");
}

TEST_F(RowTextsTest, driveRowWithoutLabel_keepsFiguresAndBracket) {
    fake->drive('C').volume.volumeName.clear();
    TDisk probe;
    probe.SetDriveIndex(3);
    const RowContent row = DriveRowContent(probe);
    EXPECT_EQ(row.Label, "");
    EXPECT_EQ(row.BracketText, "[NTFS - Local drive]");
    EXPECT_EQ(row.TotalText, "250,059.35 Mo");
}

// The probe keeps its share until it moves to another drive; the figures are read afresh.
TEST_F(RowTextsTest, driveRowOfUnchangedProbe_refreshesFiguresButNotShare) {
    TDisk probe;
    probe.SetDriveIndex(3);
    fake->drive('C').freeBytes = 250'059'350'016;
    const RowContent row = DriveRowContent(probe);
    EXPECT_EQ(row.FreeText, "250,059.35 Mo");
    EXPECT_EQ(row.PercentText, "36.6 %");
}

}  // namespace
