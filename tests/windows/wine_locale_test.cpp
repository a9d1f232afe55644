#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <string_view>

#include "DiskUtils.h"
#include "Win32Layer.h"
#include "WineDrives.h"

namespace {

// Wine takes the Windows locale from LC_ALL; each CTest entry of this test sets one.
struct LocaleCase {
    std::string_view unixLocale;
    std::string thousands;
    std::string decimal;
    std::string grouped;  // 1234567.89 with two decimals
};

// fr-FR groups with a no-break space, byte 0xA0 in code page 1252.
const std::string kNoBreakSpace = "\xC2\xA0";

const LocaleCase kCases[] = {
    {"C.UTF-8", ",", ".", "1,234,567.89"},
    {"de_DE.UTF-8", ".", ",", "1.234.567,89"},
    {"fr_FR.UTF-8", kNoBreakSpace, ",", "1" + kNoBreakSpace + "234" + kNoBreakSpace + "567,89"},
};

const LocaleCase* currentCase() {
    const char* locale = std::getenv("LC_ALL");
    if (!locale || !wine_drives::runningUnderWine()) return nullptr;
    for (const auto& c : kCases) {
        if (c.unixLocale == locale) return &c;
    }
    return nullptr;
}

class WineLocale : public ::testing::Test {
protected:
    void SetUp() override {
        expected_ = currentCase();
        if (!expected_) GTEST_SKIP() << "needs wine and LC_ALL set to one of the table's locales";
    }
    void TearDown() override { DiskUtils::ResetOptionState(); }

    const LocaleCase* expected_ = nullptr;
};

TEST_F(WineLocale, numberSettings_convertTheAnsiSeparatorsToUtf8) {
    const auto layer = platform::createWin32Layer(platform::SpaceQuery::Extended);
    const auto settings = layer->numberSettings();
    ASSERT_TRUE(settings.thousandsSeparator.has_value());
    ASSERT_TRUE(settings.decimalSeparator.has_value());
    // Wine falls back to en-US when glibc lacks the locale, which shows here first.
    EXPECT_EQ(*settings.thousandsSeparator, expected_->thousands)
        << "is the glibc locale " << expected_->unixLocale << " generated?";
    EXPECT_EQ(*settings.decimalSeparator, expected_->decimal);
}

TEST_F(WineLocale, numberText_groupsWithTheLocalesSeparators) {
    DiskUtils::LoadNumberSeparators();
    EXPECT_EQ(DiskUtils::NumberText(DiskUtils::Capacity{12345678900}, 2), expected_->grouped);
}

}  // namespace
