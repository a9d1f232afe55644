#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "linux/DeviceInfo.h"
#include "linux/DriveLetters.h"
#include "linux/MountFilter.h"
#include "linux/MountInfo.h"

// Generated and mutated mount tables and labels, a few thousand per run. The seed is fixed so a
// failure repeats; the checks are what must hold for any input, not particular answers.
namespace platform::linuxfs {
namespace {

constexpr int kRounds = 3000;

const std::vector<std::string> kSeedLines = {
    "27 1 254:0 / / rw,relatime shared:1 - ext4 /dev/vda rw",
    "50 27 8:17 / /media/My\\040Disk rw,nosuid master:2 - vfat /dev/sdb1 rw,fmask=0022",
    "53 27 0:41 / /mnt/x rw shared:5 master:2 propagate_from:1 - nfs srv:/e rw,vers=4.2",
    "57 27 0:45 /sub /mnt/s\\011t rw - fuse.sshfs me@h:/x\\040y rw,user_id=0",
    "60 50 0:50 / /dev/shm rw - tmpfs  rw,size=65536k",
};

// The bytes that matter to the parsers, plus a few that should not.
constexpr char kAlphabet[] = " \\01234567-:/\n\r\tx\xFF\xC3";

char pick(std::mt19937& random, std::string_view from) {
    return from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(random)];
}

std::size_t below(std::mt19937& random, std::size_t size) {
    return std::uniform_int_distribution<std::size_t>(0, size)(random);
}

std::string mutate(std::string text, std::mt19937& random) {
    const int edits = std::uniform_int_distribution<int>(1, 6)(random);
    for (int i = 0; i < edits; ++i) {
        const std::size_t at = below(random, text.size());
        switch (random() % 6) {
            case 0:
                text.insert(at, 1, pick(random, {kAlphabet, sizeof kAlphabet - 1}));
                break;
            case 1:
                text.insert(at, 1, static_cast<char>(random() & 0xFF));
                break;
            case 2:
                text.erase(at, below(random, 4));
                break;
            case 3:
                text.insert(at, text.substr(below(random, text.size()), 8));
                break;
            case 4:
                text.resize(at);
                break;
            default:
                text.insert(at, "\\" + std::to_string(random() % 800));
                break;
        }
    }
    return text;
}

// The kernel's escaping of path fields (seq_path: space, tab, newline, backslash).
std::string escapeField(std::string_view field) {
    std::string out;
    for (char c : field) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\\') {
            char octal[8];
            std::snprintf(octal, sizeof octal, "\\%03o", static_cast<unsigned char>(c));
            out += octal;
        } else {
            out.push_back(c);
        }
    }
    return out;
}

std::string randomName(std::mt19937& random) {
    std::string name;
    const std::size_t length = 1 + below(random, 12);
    for (std::size_t i = 0; i < length; ++i) {
        const char c = random() % 3 == 0 ? pick(random, " \t\n\\\xFF\xFE#")
                                         : static_cast<char>('a' + random() % 26);
        name.push_back(c);
    }
    return name;
}

void expectSoundRecord(const MountRecord& record) {
    EXPECT_FALSE(record.fsType.empty());
    ASSERT_FALSE(record.mountPoint.empty());
    EXPECT_EQ(record.mountPoint.front(), '/') << "a relative path would be looked up from here";
    EXPECT_EQ(record.mountPoint.find('\0'), std::string::npos) << "a NUL cuts the path short";
}

TEST(MountTableFuzz, mutatedLines_parseToSoundRecordsOrNothing) {
    std::mt19937 random(20261208);
    for (int round = 0; round < kRounds; ++round) {
        const std::string line = mutate(kSeedLines[round % kSeedLines.size()], random);
        SCOPED_TRACE(line);
        if (const auto record = parseMountInfoLine(line)) expectSoundRecord(*record);
        EXPECT_LE(decodeMountEscapes(line).size(), line.size());
        EXPECT_LE(decodeUdevName(line).size(), line.size());
        if (HasFatalFailure()) return;
    }
}

TEST(MountTableFuzz, escapedRandomPaths_roundTripExactly) {
    std::mt19937 random(7);
    for (int round = 0; round < kRounds; ++round) {
        const std::string point = "/" + randomName(random) + "/" + randomName(random);
        const std::string source = randomName(random);
        const std::string line = "40 1 0:" + std::to_string(round) + " / " + escapeField(point) +
                                 " rw - tmpfs " + escapeField(source) + " rw";
        const auto record = parseMountInfoLine(line);
        ASSERT_TRUE(record) << line;
        EXPECT_EQ(record->mountPoint, point);
        EXPECT_EQ(record->source, source);
    }
}

bool liesOnTheWayTo(std::string_view point, std::string_view path) {
    if (point == "/" || point == path) return true;
    return path.size() > point.size() && path.starts_with(point) && path[point.size()] == '/';
}

// The slow reading of the rule, one pass over the table per mount.
bool hangFreeByWholeTable(const MountRecord& mount, const std::vector<MountRecord>& table) {
    if (!isSelfContainedFileSystem(mount.fsType)) return false;
    for (const auto& other : table)
        if (!isSelfContainedFileSystem(other.fsType) &&
            liesOnTheWayTo(other.mountPoint, mount.mountPoint))
            return false;
    return true;
}

TEST(MountTableFuzz, mutatedTables_filterToMountsOfTheTable) {
    std::mt19937 random(99);
    for (int round = 0; round < kRounds / 10; ++round) {
        std::string text;
        for (int line = 0; line < 40; ++line)
            text += kSeedLines[random() % kSeedLines.size()] + "\n";
        const auto table = parseMountInfo(mutate(text, random));
        const auto shown = selectDriveMounts(table);
        EXPECT_LE(shown.size(), table.size());
        const auto hangProne = hangProneMountPoints(table);
        for (const auto& mount : shown) {
            expectSoundRecord(mount);
            EXPECT_EQ(isHangFree(mount, hangProne), hangFreeByWholeTable(mount, table));
        }
    }
}

TEST(MountTableFuzz, naturalLess_isAStrictOrderOnRandomNames) {
    std::mt19937 random(3);
    std::vector<std::string> names;
    for (int i = 0; i < 200; ++i)
        names.push_back("/mnt/" + std::to_string(random() % 30) + randomName(random) +
                        std::to_string(random() % 1000));
    names.push_back("/mnt/007");
    names.push_back("/mnt/7");
    for (const auto& a : names) {
        EXPECT_FALSE(naturalLess(a, a)) << a;
        for (const auto& b : names) {
            EXPECT_FALSE(naturalLess(a, b) && naturalLess(b, a)) << a << " / " << b;
            EXPECT_TRUE(a == b || naturalLess(a, b) || naturalLess(b, a)) << a << " / " << b;
        }
    }
}

}  // namespace
}  // namespace platform::linuxfs
