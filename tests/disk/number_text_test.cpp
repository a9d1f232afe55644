#include <gtest/gtest.h>

#include "DiskUtils.h"
#include "FakeLayer.h"

using namespace DiskUtils;

namespace {

class NumberTextTest : public ::testing::Test {
protected:
    void SetUp() override { ResetOptionState(); }
    void TearDown() override { ResetOptionState(); }
};

TEST_F(NumberTextTest, numberText_roundsPrintedDecimalsToEvenAndGroupsThousands) {
    struct Case {
        std::int64_t stored;
        std::uint8_t decimals;
        const char* text;
    };
    const Case cases[] = {
        {1250, 2, "0.12"},
        {1350, 2, "0.14"},
        {20050, 2, "2.00"},
        {20051, 2, "2.01"},
        {12345, 4, "1.2345"},
        {12345, 6, "1.234500"},
        {12345, 3, "1.234"},
        {12355, 3, "1.236"},
        {5000, 0, "0"},
        {15000, 0, "2"},
        {0, 2, "0.00"},
        {9'999'999'999'990'000, 2, "999,999,999,999.00"},
        {1'000'000'000, 0, "100,000"},
        {999'0000, 0, "999"},
        {1000'0000, 1, "1,000.0"},
        {-12'345'678'900, 2, "-1,234,567.89"},
        {-40, 2, "0.00"},
        {-50, 2, "0.00"},
        {-51, 2, "-0.01"},
        {std::numeric_limits<std::int64_t>::max(), 4, "922,337,203,685,477.5807"},
        {std::numeric_limits<std::int64_t>::min(), 4, "-922,337,203,685,477.5808"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NumberText(Capacity{c.stored}, c.decimals), c.text)
            << c.stored << " with " << int(c.decimals);
    }
}

TEST_F(NumberTextTest, regionalSeparators_areWholeCharacters) {
    Separators = {"\u00A0", ","};
    EXPECT_EQ(NumberText(Capacity{12'345'678'9000}, 2), "12\u00A0345\u00A0678,90");
    Separators = {".", ","};
    EXPECT_EQ(NumberText(Capacity{2'500'593'500'160'000}, 2), "250.059.350.016,00");
    Separators = {"", "."};
    EXPECT_EQ(NumberText(Capacity{2'500'593'500'160'000}, 0), "250059350016");
    Separators = {",", ""};
    EXPECT_EQ(NumberText(Capacity{12'345}, 2), "123");
}

TEST_F(NumberTextTest, fixedText_usesDecimalSeparatorAndTiesToEven) {
    EXPECT_EQ(FixedText(36.6f, 1), "36.6");
    EXPECT_EQ(FixedText(37, 1), "37.0");
    EXPECT_EQ(FixedText(0.125L, 2), "0.12");
    EXPECT_EQ(FixedText(0.375L, 2), "0.38");
    EXPECT_EQ(FixedText(100, 2), "100.00");
    EXPECT_EQ(FixedText(-0.001L, 2), "0.00");
    EXPECT_EQ(FixedText(-2.5L, 1), "-2.5");
    Separators.Decimal = "\u066B";
    EXPECT_EQ(FixedText(12.5L, 2), "12\u066B50");
}

TEST_F(NumberTextTest, roundHalfEven_inExtendedPrecision) {
    EXPECT_EQ(RoundHalfEven(12.5L), 12);
    EXPECT_EQ(RoundHalfEven(13.5L), 14);
    EXPECT_EQ(RoundHalfEven(-2.5L), -2);
    EXPECT_EQ(RoundHalfEven(36.6L), 37);
    EXPECT_EQ(RoundHalfEven(1e30L), std::numeric_limits<std::int64_t>::max());
}

TEST_F(NumberTextTest, separatorsFromSettings_takeFirstCharacterOrDefaults) {
    using platform::NumberSettings;
    struct Case {
        NumberSettings settings;
        std::string thousands;
        std::string decimal;
    };
    const Case cases[] = {
        {NumberSettings{std::nullopt, std::nullopt}, ",", "."},
        {NumberSettings{std::string(""), std::string("")}, "", ""},
        {NumberSettings{std::string("\u202F\u202F"), std::string(",x")}, "\u202F", ","},
        {NumberSettings{std::string("'"), std::nullopt}, "'", "."},
    };
    for (const Case& c : cases) {
        const NumberSeparators s = SeparatorsFrom(c.settings);
        EXPECT_EQ(s.Thousands, c.thousands);
        EXPECT_EQ(s.Decimal, c.decimal);
    }
}

TEST_F(NumberTextTest, loadNumberSeparators_readsTheInstalledLayer) {
    platform::ScopedFakeLayer fake;
    fake->settings = {std::string("."), std::string(",")};
    LoadNumberSeparators();
    EXPECT_EQ(NumberText(Capacity{12'345'678'9000}, 2), "12.345.678,90");
    EXPECT_EQ(fake->counts().settings, 1);
}

}  // namespace
