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
        c.source = "/dev/nvme0n1p2";
        auto& e = fake->drive('E');
        e.totalBytes = 1'073'741'824;
        e.freeBytes = 0;
        e.volume = {"Tab\t\"quoted\"", "iso9660", 0, 255, 0x80000};
        e.type = platform::kDriveCdRom;
    }
    void TearDown() override { DiskUtils::ResetOptionState(); }

    // The lines of the table below its header.
    std::vector<std::string> TableRows() {
        std::vector<std::string> lines;
        const std::string table = FormatTable(ScanDrives());
        for (std::size_t start = 0, end; (end = table.find('\n', start)) != std::string::npos;
             start = end + 1)
            lines.push_back(table.substr(start, end - start));
        lines.erase(lines.begin());
        return lines;
    }

    platform::ScopedFakeLayer fake;
};

TEST_F(ReportTest, displayOptions_changeTheFigureTexts) {
    Options options;
    options.unit = DiskUtils::suGiga;
    options.divisors = DiskUtils::UnitDivisors1024;
    options.words = DiskUtils::ByteUnitNames;
    ApplyDisplayOptions(options);
    const std::string json = FormatJson(ScanDrives());
    EXPECT_NE(json.find("\"totalText\": \"232.89 GB\""), std::string::npos) << json;
    EXPECT_NE(json.find("\"usedText\": \"1.00 GB\""), std::string::npos);
}

TEST_F(ReportTest, json_escapesTextsAndKeepsExactFigures) {
    const std::string json = FormatJson(ScanDrives());
    EXPECT_NE(json.find("\"totalBytes\": 250059350016"), std::string::npos);
    EXPECT_NE(json.find("\"label\": \"Tab\\u0009\\\"quoted\\\"\""), std::string::npos);
    EXPECT_NE(json.find("\"freePercent\": 19.99"), std::string::npos) << json;
    EXPECT_NE(json.find("\"serialText\": \"12AB-34CD\""), std::string::npos);
    EXPECT_NE(json.find("\"mountPoint\": \"/\""), std::string::npos);
    EXPECT_NE(json.find("\"caption\": \"Vollmark - Total: 250.06 Go (20.0 % Free)\""),
              std::string::npos);
}

TEST_F(ReportTest, json_givesSourceReadOnlyAndSummaryBytes) {
    const std::string json = FormatJson(ScanDrives());
    EXPECT_NE(json.find("\"readOnly\": false, \"totalText\""), std::string::npos) << json;
    EXPECT_NE(json.find("\"source\": \"/dev/nvme0n1p2\""), std::string::npos);
    EXPECT_NE(json.find("\"readOnly\": true"), std::string::npos);
    EXPECT_NE(json.find("\"source\": null"), std::string::npos);
    EXPECT_NE(json.find("\"percent\": \"80.0 %\", \"totalBytes\": 250059350016, "
                        "\"freeBytes\": 50011870003, \"usedBytes\": 200047480013}"),
              std::string::npos);
    EXPECT_NE(json.find("\"withoutLetter\": []\n}\n"), std::string::npos);
}

TEST_F(ReportTest, mountsWithoutLetter_listedInJsonAndNotedUnderTheTable) {
    fake->withoutLetter = {{"/mnt/t27", "ext4", 2000, 500}, {"/mnt/t28", "xfs", 10, 10}};
    const DriveReport report = ScanDrives();
    EXPECT_NE(FormatJson(report).find(
                  "\"withoutLetter\": [\n    {\"mountPoint\": \"/mnt/t27\", \"fileSystem\": "
                  "\"ext4\", \"totalBytes\": 2000, \"freeBytes\": 500, \"usedBytes\": 1500},\n"),
              std::string::npos)
        << FormatJson(report);
    const std::string table = FormatTable(report);
    EXPECT_TRUE(table.ends_with(
        "\n2 file systems have no drive letter; --json lists them under \"withoutLetter\".\n"));
}

TEST_F(ReportTest, json_ofEmptyReport_isStillComplete) {
    fake->remove('C');
    fake->remove('E');
    EXPECT_EQ(FormatJson(ScanDrives()),
              "{\n  \"drives\": [],\n  \"entries\": [\"*\", \"#\"],\n"
              "  \"local\": {\"total\": \"0.00 Go\", \"free\": \"0.00 Go\", \"used\": \"0.00 Go\", "
              "\"percent\": \"0.0 %\", \"totalBytes\": 0, \"freeBytes\": 0, \"usedBytes\": 0},\n"
              "  \"network\": {\"total\": \"0.00 Go\", \"free\": \"0.00 Go\", \"used\": "
              "\"0.00 Go\", \"percent\": \"0.0 %\", \"totalBytes\": 0, \"freeBytes\": 0, "
              "\"usedBytes\": 0},\n"
              "  \"caption\": \"Vollmark - Total: 0.00 Go (0.0 % Free)\",\n"
              "  \"withoutLetter\": []\n}\n");
}

TEST_F(ReportTest, table_alignsColumnsByCharactersNotBytes) {
    fake->drive('C').volume.volumeName = "Système";
    const std::string table = FormatTable(ScanDrives());
    const auto first = table.find('\n');
    const auto second = table.find('\n', first + 1);
    const std::string header = table.substr(0, first);
    const std::string row = table.substr(first + 1, second - first - 1);
    EXPECT_EQ(header.find("File system"), row.find("ext4") - 1);  // one two-byte character
}

// A newline, a stray byte or a very long name in one mount must not break the other lines.
TEST_F(ReportTest, table_keepsOneLinePerDriveWhateverTheNames) {
    fake->drive('C').volume.volumeName = std::string(300, 'x');
    fake->drive('E').volume.volumeName = "two\nlines\xFF";
    fake->drive('E').mountPoint = "/mnt/new\nline";
    const auto rows = TableRows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_LT(rows[0].size(), 200u);
    EXPECT_NE(rows[1].find("two\\x0Alines\\xFF"), std::string::npos) << rows[1];
    EXPECT_NE(rows[1].find("/mnt/new\\x0Aline"), std::string::npos);
}

}  // namespace

namespace {

// The same rounding as the windows' texts: minutes under an hour, hours under two days.
TEST(FullInTextTest, spans_roundToTheNearestWholeOfTheirUnit) {
    const struct {
        std::optional<std::int64_t> seconds;
        const char* text;
    } cases[] = {
        {std::nullopt, "\xE2\x80\x94"}, {0, "1 min"},          {2400, "40 min"},
        {5 * 3600 - 600, "5 h"},        {30 * 3600, "30 h"},   {47 * 3600 + 1800, "48 h"},
        {48 * 3600, "2 days"},          {58 * 3600, "2 days"}, {60 * 3600, "3 days"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FullInText(c.seconds), c.text) << (c.seconds ? *c.seconds : -1);
}

}  // namespace
