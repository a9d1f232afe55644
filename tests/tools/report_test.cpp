#include <gtest/gtest.h>

#include "FakeLayer.h"
#include "Options.h"
#include "Report.h"

using namespace drives;

namespace {

class ReportTest : public ::testing::Test {
protected:
    void SetUp() override {
        DiskUtils::ResetOptionState();
        auto& c = fake->drive('C');
        c.totalBytes = 250'059'350'016;
        c.freeBytes = 50'011'870'003;
        c.volume = {"SYSTEM", "ext4", 0x12AB34CD, 255, 0x3};
        c.mountPoint = "/";
        auto& e = fake->drive('E');
        e.totalBytes = 1'073'741'824;
        e.freeBytes = 0;
        e.volume = {"Tab\t\"quoted\"", "iso9660", 0, 255, 0x80000};
        e.type = platform::kDriveCdRom;
    }
    void TearDown() override { DiskUtils::ResetOptionState(); }

    platform::ScopedFakeLayer fake;
};

TEST_F(ReportTest, collectDrives_listsAnsweringLettersInOrder) {
    const auto rows = CollectDrives();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].letter, 'C');
    EXPECT_EQ(rows[0].usedBytes, 200'047'480'013);
    EXPECT_EQ(rows[0].totalText, "250,059.35 Mo");
    EXPECT_EQ(rows[0].mountPoint, "/");
    EXPECT_EQ(rows[1].letter, 'E');
    EXPECT_EQ(rows[1].typeText, "CD/DVD rom");
    EXPECT_EQ(rows[1].flags, 0x80000u);
    EXPECT_FALSE(rows[1].mountPoint);
}

TEST_F(ReportTest, displayOptions_changeTheRowTexts) {
    Options options;
    options.unit = DiskUtils::suGiga;
    options.divisors = DiskUtils::UnitDivisors1024;
    options.words = DiskUtils::ByteUnitNames;
    ApplyDisplayOptions(options);
    const auto rows = CollectDrives();
    EXPECT_EQ(rows[0].totalText, "232.89 GB");
    EXPECT_EQ(rows[1].usedText, "1.00 GB");
}

TEST_F(ReportTest, json_escapesTextsAndKeepsExactFigures) {
    const std::string json = FormatJson(CollectDrives(), {{"caption", JsonString("Vollmark")}});
    EXPECT_NE(json.find("\"totalBytes\": 250059350016"), std::string::npos);
    EXPECT_NE(json.find("\"label\": \"Tab\\u0009\\\"quoted\\\"\""), std::string::npos);
    EXPECT_NE(json.find("\"freePercent\": 19.99"), std::string::npos) << json;
    EXPECT_NE(json.find("\"serialText\": \"12AB-34CD\""), std::string::npos);
    EXPECT_NE(json.find("\"mountPoint\": \"/\""), std::string::npos);
    EXPECT_NE(json.find(",\n  \"caption\": \"Vollmark\"\n}"), std::string::npos);
    EXPECT_EQ(FormatJson({}), "{\n  \"drives\": []\n}\n");
}

TEST_F(ReportTest, table_alignsColumnsByCharactersNotBytes) {
    fake->drive('C').volume.volumeName = "Système";
    const std::string table = FormatTable(CollectDrives());
    const auto first = table.find('\n');
    const auto second = table.find('\n', first + 1);
    const std::string header = table.substr(0, first);
    const std::string row = table.substr(first + 1, second - first - 1);
    EXPECT_EQ(header.find("File system"), row.find("ext4") - 1);  // one two-byte character
}

}  // namespace
