#include <gtest/gtest.h>

#include <stdexcept>

#include "DiskUtils.h"
#include "Utf8.h"

namespace {

TEST(Utf8, sequenceLength_table) {
    const std::pair<std::string_view, std::size_t> cases[] = {
        {"", 0},
        {"a", 1},
        {"\xC3\xA9", 2},
        {"\xE2\x82\xAC", 3},
        {"\xF0\x9F\x92\xBE", 4},
        {"\xA0", 0},              // lone continuation byte
        {"\xE2\x82", 0},          // cut short
        {"\xC0\xAE", 0},          // overlong "."
        {"\xE0\x80\xAE", 0},      // overlong, three bytes
        {"\xED\xA0\x80", 0},      // surrogate
        {"\xF4\x90\x80\x80", 0},  // past U+10FFFF
        {"\xFF", 0},
    };
    for (const auto& [text, length] : cases)
        EXPECT_EQ(utf8::SequenceLength(text), length) << testing::PrintToString(text);
}

TEST(Utf8, walks_countStrayBytesAsCharactersOfTheirOwn) {
    EXPECT_TRUE(utf8::IsValid("Données \xE2\x80\xAF"));
    EXPECT_FALSE(
        utf8::IsValid("Donn\xE9"
                      "es"));
    EXPECT_EQ(utf8::CharacterCount("Système"), 7u);
    EXPECT_EQ(utf8::CharacterCount("a\xFF\xA0"
                                   "b"),
              4u);
    EXPECT_EQ(utf8::FirstCharacters("Système", 4), "Syst");
    EXPECT_EQ(utf8::FirstCharacters("Système", 5), "Systè");
    EXPECT_EQ(utf8::FirstCharacters("\xA0\xA0x", 1), "\xA0");
    EXPECT_EQ(utf8::FirstCharacters("ab", 5), "ab");
}

TEST(Utf8, boundedPrefix_neverSplitsACharacter) {
    EXPECT_EQ(utf8::BoundedPrefix("abc", 5), "abc");
    EXPECT_EQ(utf8::BoundedPrefix("ab\xE2\x82\xAC", 4), "ab");
    EXPECT_EQ(utf8::BoundedPrefix("ab\xE2\x82\xAC", 5), "ab\xE2\x82\xAC");
    EXPECT_EQ(utf8::BoundedPrefix("ab\xE2\x82", 3), "ab\xE2");  // stray bytes stand alone
}

// A test that forgets its fake must fail rather than read the machine's drives.
TEST(NoLayer, queryWithoutInstalledLayer_throws) {
    EXPECT_THROW(DiskUtils::QueryDiskSize(3), std::logic_error);
    EXPECT_THROW(platform::ScanScope(), std::logic_error);
}

TEST(Utf8, isValid_rejectsStrayCutShortAndOverlongSequences) {
    EXPECT_TRUE(utf8::IsValid(""));
    EXPECT_TRUE(utf8::IsValid("."));
    EXPECT_TRUE(utf8::IsValid("\u202F"));
    EXPECT_TRUE(utf8::IsValid("\xF0\x9F\x92\xBE"));
    EXPECT_FALSE(utf8::IsValid("\xA0"));      // ISO-8859-1 no-break space
    EXPECT_FALSE(utf8::IsValid("\xE2\x80"));  // cut short
    EXPECT_FALSE(utf8::IsValid("\xC0\xAE"));  // overlong "."
    EXPECT_FALSE(utf8::IsValid("\xE2\x28\xA1"));
}

}  // namespace
