#include "InfoTexts.h"

#include <QCoreApplication>

#include "DriveTypeNames.h"

namespace {

std::string HeaderText(const DiskUtils::TDisk& disk) {
    const std::string name =
        disk.VolumeName.empty()
            ? QCoreApplication::translate("TFrmDiskInfo", "(Неназваний диск)").toStdString()
            : disk.VolumeName;
    // A probe that never selected a drive has NUL for its letter; it is not printable.
    const std::string letter = disk.DriveLetter == '\0' ? "" : std::string(1, disk.DriveLetter);
    return name + " [" + letter + ":]";
}

std::string PercentText(float percent) {
    return DiskUtils::FixedText(percent, 2) + " %";
}

std::string TypeText(const DiskUtils::TDisk& disk, std::uint32_t flags) {
    return DriveTypeName(disk) + " [ " + std::to_string(static_cast<std::int32_t>(disk.DriveType)) +
           " ] [ " + std::to_string(static_cast<std::int32_t>(flags)) + " ]";
}

std::string SerialText(const DiskUtils::TDisk& disk) {
    return "[ " + disk.SerialText + " ] [ " + std::to_string(disk.SerialNumber) + " ]";
}

}  // namespace

std::string ByteCountText(std::int64_t bytes) {
    return DiskUtils::CountText(bytes) + " " + DiskUtils::UnitNames[DiskUtils::suByte];
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
