#include <gtest/gtest.h>

#include "TextEscapes.h"
#include "Utf8.h"

using namespace drives;

namespace {

TEST(TextEscapes, jsonString_table) {
    const std::pair<std::string, std::string> cases[] = {
        {"", "\"\""},
        {"plain /mnt/d", "\"plain /mnt/d\""},
        {"quote\" back\\", "\"quote\\\" back\\\\\""},
        {"nl\n\x1F", "\"nl\\u000a\\u001f\""},
        {"Données", "\"Données\""},
        {"a\xFF\xFE"
         "b",
         "\"a\xEF\xBF\xBD\xEF\xBF\xBD"
         "b\""},
        {"\xE2\x82", "\"\xEF\xBF\xBD\xEF\xBF\xBD\""},  // cut short: one U+FFFD per byte
        {"\xC0\xAF", "\"\xEF\xBF\xBD\xEF\xBF\xBD\""},  // overlong "/"
    };
    for (const auto& [text, json] : cases) {
        EXPECT_EQ(JsonString(text), json) << text;
        EXPECT_TRUE(utf8::IsValid(JsonString(text)));
    }
}

TEST(TextEscapes, jsonTextMembers_addExactBytesOnlyForInvalidText) {
    EXPECT_EQ(JsonTextMembers("label", "Données"), "\"label\": \"Données\"");
    EXPECT_EQ(JsonTextMembers("mountPoint", "/mnt/a\xFF"),
              "\"mountPoint\": \"/mnt/a\xEF\xBF\xBD\", \"mountPointBase64\": \"L21udC9h/w==\"");
}

TEST(TextEscapes, base64_padsEveryRemainder) {
    EXPECT_EQ(Base64(""), "");
    EXPECT_EQ(Base64("f"), "Zg==");
    EXPECT_EQ(Base64("fo"), "Zm8=");
    EXPECT_EQ(Base64("foo"), "Zm9v");
    EXPECT_EQ(Base64("\xFF\xFE\xFD\xFC"), "//79/A==");
}

TEST(TextEscapes, tableText_table) {
    const std::pair<std::string, std::string> cases[] = {
        {"SYSTEM", "SYSTEM"},
        {"Données ∑", "Données ∑"},
        {"a\nb\tc\x7F", "a\\x0Ab\\x09c\\x7F"},
        {"back\\slash", "back\\\\slash"},
        {"a\xFF\xFE", "a\\xFF\\xFE"},
        {"csi\xC2\x9B", "csi\\xC2\\x9B"},  // C1 control
        {"nbsp\xC2\xA0", "nbsp\xC2\xA0"},
    };
    for (const auto& [text, shown] : cases) EXPECT_EQ(TableText(text), shown) << text;
}

TEST(TextEscapes, cappedText_keepsBothEndsByCharacters) {
    EXPECT_EQ(CappedText("short", 8), "short");
    EXPECT_EQ(CappedText("12345678", 8), "12345678");
    EXPECT_EQ(CappedText("123456789", 8), "1234…789");
    EXPECT_EQ(CappedText("ééééééééé", 4), "éé…é");
    EXPECT_EQ(utf8::CharacterCount(CappedText(std::string(5000, 'x'), 32)), 32u);
}

}  // namespace
