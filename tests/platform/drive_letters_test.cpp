#include "linux/DriveLetters.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace platform::linuxfs {
namespace {

using Points = std::vector<std::string>;

std::map<char, std::string> lettersOf(const DriveLetters& letters) {
    std::map<char, std::string> out;
    for (std::size_t slot = 0; slot < letters.size(); ++slot)
        if (letters[slot]) out[static_cast<char>('A' + slot)] = *letters[slot];
    return out;
}

TEST(DriveLetters, firstRead_rootIsCAndOthersInMountPointOrder) {
    const auto letters = assignDriveLetters({}, Points{"/srv", "/", "/home", "/boot", "/home"});
    EXPECT_EQ(lettersOf(letters), (std::map<char, std::string>{
                                      {'C', "/"}, {'D', "/boot"}, {'E', "/home"}, {'F', "/srv"}}));
}

TEST(DriveLetters, noRoot_leavesCEmpty) {
    EXPECT_EQ(lettersOf(assignDriveLetters({}, Points{"/data"})),
              (std::map<char, std::string>{{'D', "/data"}}));
}

TEST(DriveLetters, changesOverTime_keepLettersAndFillLowestGaps) {
    struct Step {
        Points table;
        std::map<char, std::string> expected;
    };
    const Step steps[] = {
        {{"/", "/a", "/b", "/c"}, {{'C', "/"}, {'D', "/a"}, {'E', "/b"}, {'F', "/c"}}},
        // A new mount that sorts first does not push the others along.
        {{"/", "/a", "/b", "/c", "/0"},
         {{'C', "/"}, {'D', "/a"}, {'E', "/b"}, {'F', "/c"}, {'G', "/0"}}},
        // A vanished mount frees its letter; the others stay.
        {{"/", "/a", "/c", "/0"}, {{'C', "/"}, {'D', "/a"}, {'F', "/c"}, {'G', "/0"}}},
        // The lowest free letter goes to the next newcomer.
        {{"/", "/a", "/c", "/0", "/z"},
         {{'C', "/"}, {'D', "/a"}, {'E', "/z"}, {'F', "/c"}, {'G', "/0"}}},
        // A mount point that comes back is a new mount.
        {{"/", "/a", "/c", "/0", "/z", "/b"},
         {{'C', "/"}, {'D', "/a"}, {'E', "/z"}, {'F', "/c"}, {'G', "/0"}, {'H', "/b"}}},
    };
    DriveLetters letters;
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        SCOPED_TRACE("step " + std::to_string(i));
        letters = assignDriveLetters(letters, steps[i].table);
        EXPECT_EQ(lettersOf(letters), steps[i].expected);
    }
}

TEST(DriveLetters, moreThanFitInDToZ_restGetNoLetter) {
    Points table{"/"};
    for (int i = 0; i < 30; ++i)
        table.push_back("/m" + std::string(1, char('a' + i % 26)) + std::to_string(i / 26));
    const auto letters = lettersOf(assignDriveLetters({}, table));
    EXPECT_EQ(letters.size(), 24u);
    EXPECT_FALSE(letters.contains('A'));
    EXPECT_FALSE(letters.contains('B'));
    EXPECT_EQ(letters.at('Z'), "/ms0");
}

TEST(DriveLetters, forgedPreviousAssignment_rootOnlyEverAtC) {
    DriveLetters previous;
    previous[letterSlot('A')] = "/a";
    previous[letterSlot('E')] = "/";
    EXPECT_EQ(lettersOf(assignDriveLetters(previous, Points{"/", "/a"})),
              (std::map<char, std::string>{{'C', "/"}, {'D', "/a"}}));
}

TEST(DriveLetters, naturalLessTable_numbersByValueRestByBytes) {
    struct Case {
        const char* a;
        const char* b;
        bool less;
    };
    const Case cases[] = {
        {"/mnt/t2", "/mnt/t10", true},
        {"/mnt/t10", "/mnt/t2", false},
        {"/mnt/t2", "/mnt/t2", false},
        {"/d01", "/d1", true},  // equal values: the bytes decide, so the order stays strict
        {"/d1", "/d01", false},
        {"/d1", "/d01b", true},
        {"/a", "/a0", true},
        {"/a9", "/b", true},
        {"/v", "/v1", true},
        {"/n/99999999999999999999999", "/n/100000000000000000000000", true},
        {"/mnt/\xc3", "/mnt/a", false},  // bytes above 0x7F sort after ASCII
        {"/mnt/Ã©", "/mnt/z", false},
        {"", "/", true},
    };
    for (const auto& c : cases) EXPECT_EQ(naturalLess(c.a, c.b), c.less) << c.a << " < " << c.b;
}

TEST(DriveLetters, numberedMountPoints_takeLettersInNaturalOrder) {
    const auto letters = assignDriveLetters({}, Points{"/", "/mnt/t10", "/mnt/t2", "/mnt/t1"});
    EXPECT_EQ(lettersOf(letters),
              (std::map<char, std::string>{
                  {'C', "/"}, {'D', "/mnt/t1"}, {'E', "/mnt/t2"}, {'F', "/mnt/t10"}}));
}

}  // namespace
}  // namespace platform::linuxfs
