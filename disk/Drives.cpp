#include "Drives.h"

#include <optional>

#include "OsLayer.h"
#include "Utf8.h"

namespace DiskUtils {
namespace {

// Win32 hands the names back in fixed buffers of this many characters.
constexpr std::size_t kVolumeNameLimit = 256;

std::string RootPathOfIndex(std::uint8_t drive) {
    // Drive 0 means the current directory's drive, which Win32 addresses with no root path.
    if (drive == 0) return {};
    return RootPathOf(static_cast<char>(drive + 64));
}

std::optional<platform::DiskSpace> SpaceOf(std::uint8_t drive) {
    return platform::currentLayer().diskFreeSpace(RootPathOfIndex(drive));
}

std::optional<platform::VolumeInformation> VolumeOf(char letter) {
    return platform::currentLayer().volumeInformation(RootPathOf(letter));
}

// Up to the first NUL and never past the buffer size, without splitting a UTF-8 character.
std::string BoundedName(std::string_view name) {
    return std::string(utf8::BoundedPrefix(name.substr(0, name.find('\0')), kVolumeNameLimit));
}

}  // namespace

std::int64_t QueryDiskSize(std::uint8_t drive) {
    const auto space = SpaceOf(drive);
    return space ? space->totalBytes : -1;
}

std::int64_t QueryDiskFree(std::uint8_t drive) {
    const auto space = SpaceOf(drive);
    return space ? space->freeBytesForCaller : -1;
}

char DriveIndexToLetter(std::uint8_t index) {
    return index >= 1 && index <= 26 ? static_cast<char>(index + 64) : '\0';
}

std::uint8_t DriveLetterToIndex(char letter) {
    if (letter >= 'A' && letter <= 'Z') return static_cast<std::uint8_t>(letter - 'A' + 1);
    if (letter >= 'a' && letter <= 'z') return static_cast<std::uint8_t>(letter - 'a' + 1);
    return 0;
}

std::string RootPathOf(char letter) {
    return std::string{letter, ':', '\\'};
}

std::string GetVolumeName(char letter) {
    const auto volume = VolumeOf(letter);
    return volume ? BoundedName(volume->volumeName) : std::string();
}

std::string GetFileSystemName(char letter) {
    const auto volume = VolumeOf(letter);
    return volume ? BoundedName(volume->fileSystemName) : std::string();
}

std::uint32_t GetFileSystemFlags(char letter) {
    const auto volume = VolumeOf(letter);
    return volume ? volume->fileSystemFlags : 0;
}

std::uint32_t GetVolumeSerial(char letter) {
    const auto volume = VolumeOf(letter);
    return volume ? volume->serialNumber : 0;
}

std::uint32_t GetDriveTypeCode(char letter) {
    return platform::currentLayer().driveType(RootPathOf(letter));
}

std::string DriveTypeToText(std::uint32_t code) {
    switch (code) {
        // "Unknow" is the program's own wording and users' scripts may match it.
        case platform::kDriveUnknown:
            return "Unknow";
        case platform::kDriveNoRootDir:
            return "Local drive";
        case platform::kDriveRemovable:
            return "Removable drive";
        case platform::kDriveFixed:
            return "Local drive";
        case platform::kDriveRemote:
            return "Network drive";
        case platform::kDriveCdRom:
            return "CD/DVD rom";
        case platform::kDriveRamDisk:
            return "RAM disk";
        default:
            return std::to_string(code);
    }
}

std::string SerialToText(std::uint32_t serial) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (int shift = 28; shift >= 0; shift -= 4) {
        text += kDigits[(serial >> shift) & 0xF];
        if (shift == 16) text += '-';
    }
    return text;
}

}  // namespace DiskUtils
