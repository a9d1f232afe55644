#include <gtest/gtest.h>

#include <QStringList>
#include <string>

#include "AboutForm.h"
#include "TinyHash.h"

namespace {

std::string Hex(const TinyHash::Digest& digest) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    for (const std::uint8_t byte : digest) {
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0xF];
    }
    return text;
}

TEST(TinyHashTest, rfc1321Vectors_giveTheirDigests) {
    const struct {
        const char* text;
        const char* digest;
    } cases[] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
         "d174ab98d277d9f5a5611c2c9f419d9f"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57edf4a22be3c955ac49da2e2107b67a"},
    };
    for (const auto& c : cases) EXPECT_EQ(Hex(TinyHash::StringMD5(c.text)), c.digest) << c.text;
}

TEST(TinyHashTest, sameDigest_comparesAllSixteenBytes) {
    TinyHash::Digest other = UnlockDigest;
    EXPECT_TRUE(TinyHash::SameDigest(UnlockDigest, other));
    for (std::size_t i : {std::size_t{0}, std::size_t{15}}) {
        other = UnlockDigest;
        other[i] ^= 1;
        EXPECT_FALSE(TinyHash::SameDigest(UnlockDigest, other)) << i;
    }
}

TEST(TinyHashTest, unlockDigest_isTheDigestOfTheWord) {
    EXPECT_TRUE(TinyHash::SameDigest(TinyHash::StringMD5("hopak"), UnlockDigest));
}

TEST(TinyHashTest, onlyTheExactSingleWord_unlocks) {
    const struct {
        QStringList parameters;
        bool unlocks;
    } cases[] = {
        {{}, false},
        {{"hopak"}, true},
        {{"hopak", "hopak"}, false},
        {{"hopak", "x"}, false},
        {{"HOPAK"}, false},
        {{"Hopak"}, false},
        {{"hopak "}, false},
        {{""}, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(UnlocksHiddenMode(c.parameters), c.unlocks)
            << c.parameters.join('|').toStdString();
    }
}

}  // namespace
