#include <gtest/gtest.h>

#include <cstdint>

#include "DiskUtils.h"
#include "InfoTexts.h"

namespace {

class ByteCountTextTest : public ::testing::Test {
protected:
    void SetUp() override { DiskUtils::ResetOptionState(); }
    void TearDown() override { DiskUtils::ResetOptionState(); }
};

// Capacity holds four decimals, so plain NumberText would overflow past ~922 TB.
TEST_F(ByteCountTextTest, countsBeyondCapacityRange_stayExact) {
    DiskUtils::SetUnitNames(DiskUtils::ByteUnitNames);
    const struct {
        std::int64_t bytes;
        const char* text;
    } cases[] = {
        {0, "0 Bytes"},
        {999, "999 Bytes"},
        {1000, "1,000 Bytes"},
        {922337203685477, "922,337,203,685,477 Bytes"},
        {922337203685478, "922,337,203,685,478 Bytes"},
        {5000000000000007, "5,000,000,000,000,007 Bytes"},
        {INT64_MAX, "9,223,372,036,854,775,807 Bytes"},
        {-1, "-1 Bytes"},
        {-5000000000000007, "-5,000,000,000,000,007 Bytes"},
    };
    for (const auto& c : cases) EXPECT_EQ(ByteCountText(c.bytes), c.text) << c.bytes;
}

TEST_F(ByteCountTextTest, regionalSeparatorOfSeveralBytes_groupsEveryThousand) {
    DiskUtils::Separators.Thousands = "\u00a0";
    EXPECT_EQ(ByteCountText(1234567), "1\u00a0234\u00a0567 Octets");
    EXPECT_EQ(ByteCountText(5000000000000007),
              "5\u00a0000\u00a0000\u00a0000\u00a0000\u00a0007 Octets");
}

}  // namespace
