#include "InfoTexts.h"

#include <cstdlib>

namespace {

using DiskUtils::Capacity;

std::string GroupedCount(std::int64_t count) {
    // Capacity keeps four decimals in 64 bits, so counts past about 922 TB do not fit; the
    // low three digits of those are written here and only the thousands go through it.
    constexpr std::int64_t kLimit = INT64_MAX / Capacity::kScale;
    if (count <= kLimit && count >= -kLimit) {
        return DiskUtils::NumberText(Capacity{count * Capacity::kScale}, 0);
    }
    std::string low = std::to_string(std::llabs(count % 1000));
    low.insert(0, 3 - low.size(), '0');
    return GroupedCount(count / 1000) + DiskUtils::Separators.Thousands + low;
}

std::string HeaderText(const DiskUtils::TDisk& disk) {
    const std::string name = disk.VolumeName.empty() ? "(Неназваний диск)" : disk.VolumeName;
    // A probe that never selected a drive has NUL for its letter; it is not printable.
    const std::string letter = disk.DriveLetter == '\0' ? "" : std::string(1, disk.DriveLetter);
    return name + " [" + letter + ":]";
}

std::string PercentText(float percent) {
    return DiskUtils::FixedText(percent, 2) + " %";
}

std::string TypeText(const DiskUtils::TDisk& disk, std::uint32_t flags) {
    return disk.DriveTypeText + " [ " + std::to_string(static_cast<std::int32_t>(disk.DriveType)) +
           " ] [ " + std::to_string(static_cast<std::int32_t>(flags)) + " ]";
}

std::string SerialText(const DiskUtils::TDisk& disk) {
    return "[ " + disk.SerialText + " ] [ " + std::to_string(disk.SerialNumber) + " ]";
}

}  // namespace

std::string ByteCountText(std::int64_t bytes) {
    return GroupedCount(bytes) + " " + DiskUtils::UnitNames[DiskUtils::suByte];
}

DiskInfoTexts MakeDiskInfoTexts(const DiskUtils::TDisk& disk, std::uint32_t fileSystemFlags) {
    return DiskInfoTexts{
        .Header = HeaderText(disk),
        .Total = ByteCountText(disk.TotalBytes),
        .Free = ByteCountText(disk.FreeBytes),
        .Used = ByteCountText(disk.UsedBytes),
        .FreePercent = PercentText(disk.FreePercent),
        .UsedPercent = PercentText(disk.UsedPercent),
        .FileSystem = disk.FileSystemName,
        .Type = TypeText(disk, fileSystemFlags),
        .Serial = SerialText(disk),
    };
}
