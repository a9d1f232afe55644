#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <regex>
#include <string>

#include "DiskUtils.h"
#include "WineDrives.h"

namespace {

using DiskUtils::TDisk;
using wine_drives::answeringDrives;
using wine_drives::kAbsentLetter;

double bytes(std::int64_t count) {
    return static_cast<double>(count);
}

TDisk probeOf(char letter) {
    TDisk disk;
    disk.SetDriveIndex(DiskUtils::DriveLetterToIndex(letter));
    return disk;
}

class WineProbe : public ::testing::Test {
protected:
    void SetUp() override {
        if (!wine_drives::runningUnderWine()) GTEST_SKIP() << "needs the drives of a wine prefix";
    }
};

TEST_F(WineProbe, everyDrive_isPresentWithItsVolumeTypeAndCounts) {
    for (const auto& expected : answeringDrives()) {
        SCOPED_TRACE(expected.letter);
        const TDisk disk = probeOf(expected.letter);
        ASSERT_TRUE(disk.Present);
        EXPECT_EQ(disk.DriveLetter, expected.letter);
        EXPECT_EQ(disk.VolumeName, expected.label);
        EXPECT_EQ(disk.FileSystemName, expected.fileSystem);
        EXPECT_EQ(disk.DriveType, expected.type);
        EXPECT_EQ(disk.DriveTypeText, expected.typeText);
        if (expected.serial) {
            EXPECT_EQ(disk.SerialNumber, *expected.serial);
            EXPECT_EQ(disk.SerialText, expected.serialText);
        }

        EXPECT_GT(disk.TotalBytes, 0);
        EXPECT_GE(disk.FreeBytes, 0);
        EXPECT_LE(disk.FreeBytes, disk.TotalBytes);
        // Each count comes from its own queries while the build disk is in use.
        EXPECT_NEAR(bytes(disk.UsedBytes), bytes(disk.TotalBytes - disk.FreeBytes),
                    bytes(disk.TotalBytes) / 1000);
        EXPECT_NEAR(disk.FreePercent + disk.UsedPercent, 100.0f, 0.5f);
    }
}

TEST_F(WineProbe, letterWithoutDrive_leavesTheProbeAbsent) {
    const TDisk disk = probeOf(kAbsentLetter);
    EXPECT_FALSE(disk.Present);
    EXPECT_EQ(disk.DriveLetter, kAbsentLetter);
    EXPECT_EQ(disk.DriveTypeText, "0");
    EXPECT_EQ(disk.SerialText, "0000-0000");
    EXPECT_EQ(disk.TotalBytes, 0);
    EXPECT_EQ(disk.VolumeName, "");
}

// Z: is the Unix root, so a Unix path names a file that Windows programs can start.
std::string windowsPathOf(std::string path) {
    if (path.empty() || path.front() != '/') return path;
    for (char& c : path) c = c == '/' ? '\\' : c;
    return "Z:" + path;
}

std::optional<std::string> outputOf(const std::string& command) {
    FILE* pipe = _popen(command.c_str(), "r");
    if (!pipe) return std::nullopt;
    std::string out;
    char buffer[4096];
    while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, n);
    if (_pclose(pipe) != 0) return std::nullopt;
    return out;
}

using Members = std::map<std::string, std::string>;

// The drive objects of the --json report by letter, member values as raw text (strings
// unquoted). The objects are flat and the test drives' labels hold no quotes, braces or
// escapes, so patterns suffice.
std::map<char, Members> drivesByLetter(const std::string& json) {
    static const std::regex object(R"(\{[^{}]*\})");
    static const std::regex member(R"re("(\w+)": *(?:"([^"]*)"|([^,}\s]+)))re");
    std::map<char, Members> drives;
    for (std::sregex_iterator o(json.begin(), json.end(), object), end; o != end; ++o) {
        const std::string text = o->str();
        Members members;
        for (std::sregex_iterator m(text.begin(), text.end(), member); m != end; ++m) {
            members[(*m)[1]] = (*m)[2].matched ? (*m)[2].str() : (*m)[3].str();
        }
        if (!members["letter"].empty()) drives[members["letter"].front()] = members;
    }
    return drives;
}

TEST_F(WineProbe, drivesToolJson_reportsWhatTheProbeHolds) {
    const char* tool = std::getenv("VOLLMARK_DRIVES_EXE");
    ASSERT_NE(tool, nullptr) << "VOLLMARK_DRIVES_EXE names the vollmark-drives executable";
    const auto json = outputOf("\"" + windowsPathOf(tool) + "\" --json");
    ASSERT_TRUE(json.has_value()) << "vollmark-drives --json failed";
    const auto drives = drivesByLetter(*json);

    EXPECT_FALSE(drives.contains(kAbsentLetter));
    for (const auto& expected : answeringDrives()) {
        SCOPED_TRACE(expected.letter);
        ASSERT_TRUE(drives.contains(expected.letter)) << *json;
        const auto& reported = drives.at(expected.letter);
        const TDisk disk = probeOf(expected.letter);
        EXPECT_EQ(reported.at("label"), disk.VolumeName);
        EXPECT_EQ(reported.at("fileSystem"), disk.FileSystemName);
        EXPECT_EQ(reported.at("typeCode"), std::to_string(disk.DriveType));
        EXPECT_EQ(reported.at("typeText"), disk.DriveTypeText);
        EXPECT_EQ(reported.at("serial"), std::to_string(disk.SerialNumber));
        EXPECT_EQ(reported.at("serialText"), disk.SerialText);
        EXPECT_EQ(reported.at("totalBytes"), std::to_string(disk.TotalBytes));
        EXPECT_NEAR(std::stod(reported.at("freeBytes")), bytes(disk.FreeBytes),
                    bytes(disk.TotalBytes) / 1000);
    }
}

}  // namespace
