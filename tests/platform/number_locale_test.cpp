#include "linux/NumberLocale.h"

#include <locale.h>
#include <stdlib.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace platform::linuxfs {
namespace {

// Sets LC_ALL for one test and puts the old value back.
class ScopedLcAll {
public:
    explicit ScopedLcAll(const char* value) {
        if (const char* old = getenv("LC_ALL")) old_ = old;
        setenv("LC_ALL", value, 1);
    }
    ~ScopedLcAll() {
        if (old_)
            setenv("LC_ALL", old_->c_str(), 1);
        else
            unsetenv("LC_ALL");
    }
    ScopedLcAll(const ScopedLcAll&) = delete;
    ScopedLcAll& operator=(const ScopedLcAll&) = delete;

private:
    std::optional<std::string> old_;
};

bool localeInstalled(const char* name) {
    const locale_t locale = newlocale(LC_NUMERIC_MASK, name, static_cast<locale_t>(nullptr));
    if (locale == static_cast<locale_t>(nullptr)) return false;
    freelocale(locale);
    return true;
}

struct LocaleCase {
    const char* name;
    std::vector<std::string> thousands;  // any of these
    std::string decimal;
};

class NumberLocaleTest : public ::testing::TestWithParam<LocaleCase> {};

TEST_P(NumberLocaleTest, installedLocale_givesItsUtf8Separators) {
    const auto& c = GetParam();
    if (!localeInstalled(c.name))
        GTEST_SKIP() << c.name << " is not generated here (tools/setup-debian.sh generates it)";
    const ScopedLcAll scope(c.name);
    const auto settings = readNumberSettings();
    ASSERT_TRUE(settings.thousandsSeparator && settings.decimalSeparator);
    EXPECT_NE(std::find(c.thousands.begin(), c.thousands.end(), *settings.thousandsSeparator),
              c.thousands.end())
        << *settings.thousandsSeparator;
    EXPECT_EQ(*settings.decimalSeparator, c.decimal);
}

INSTANTIATE_TEST_SUITE_P(Locales, NumberLocaleTest,
                         ::testing::Values(LocaleCase{"C", {""}, "."},
                                           LocaleCase{"de_DE.UTF-8", {"."}, ","},
                                           LocaleCase{"fr_FR.UTF-8", {"\u202F", "\u00A0"}, ","},
                                           LocaleCase{"uk_UA.UTF-8", {"\u202F", "\u00A0"}, ","}),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             std::erase_if(name, [](char c) {
                                 return !std::isalnum(static_cast<unsigned char>(c));
                             });
                             return name;
                         });

TEST(NumberLocale, unknownLocale_isUnreadable) {
    const ScopedLcAll scope("xx_NOWHERE.UTF-8");
    const auto settings = readNumberSettings();
    EXPECT_EQ(settings.thousandsSeparator, std::nullopt);
    EXPECT_EQ(settings.decimalSeparator, std::nullopt);
}

TEST(NumberLocale, reading_leavesProcessLocaleAlone) {
    if (!localeInstalled("de_DE.UTF-8")) GTEST_SKIP() << "de_DE.UTF-8 is not generated here";
    const std::string before = setlocale(LC_NUMERIC, nullptr);
    const ScopedLcAll scope("de_DE.UTF-8");
    readNumberSettings();
    EXPECT_EQ(setlocale(LC_NUMERIC, nullptr), before);
    EXPECT_STREQ(localeconv()->decimal_point, ".");
}

}  // namespace
}  // namespace platform::linuxfs
