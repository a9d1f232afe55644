#include "TDisk.h"

#include "Capacity.h"
#include "Drives.h"

namespace DiskUtils {
namespace {

// The stored value of a byte count is an exact multiple of 10000, so the division is exact.
std::int64_t WholeBytes(Capacity value) {
    return value.Stored / Capacity::kScale;
}

}  // namespace

TDisk::TDisk() {
    SetDriveIndex(0);
}

void TDisk::SetDriveIndex(std::uint8_t index) {
    if (index == DriveIndex) return;
    DriveIndex = index;
    DriveLetter = DriveIndexToLetter(index);
    Refresh();
}

void TDisk::Refresh() {
    // Index 0 (or one past Z) has no root path of its own; asking the layer would query the
    // current directory's drive, which no caller means.
    if (DriveLetter == '\0' || QueryDiskSize(DriveIndex) == -1) {
        MakeAbsent();
        return;
    }
    Present = true;
    TotalBytes = WholeBytes(CapacityIn(DriveIndex, suByte, ckTotal));
    FreeBytes = WholeBytes(CapacityIn(DriveIndex, suByte, ckFree));
    UsedBytes = WholeBytes(CapacityIn(DriveIndex, suByte, ckUsed));
    VolumeName = GetVolumeName(DriveLetter);
    FileSystemName = GetFileSystemName(DriveLetter);
    DriveType = GetDriveTypeCode(DriveLetter);
    DriveTypeText = DriveTypeToText(DriveType);
    const auto total = static_cast<float>(TotalBytes);
    FreePercent = PercentOf(static_cast<float>(FreeBytes), total, 0);
    UsedPercent = PercentOf(static_cast<float>(UsedBytes), total, 0);
    SerialNumber = GetVolumeSerial(DriveLetter);
    SerialText = SerialToText(SerialNumber);
}

void TDisk::MakeAbsent() {
    Present = false;
    FreeBytes = TotalBytes = UsedBytes = 0;
    VolumeName.clear();
    FileSystemName.clear();
    DriveType = 0;
    DriveTypeText = "0";
    FreePercent = UsedPercent = 0;
    SerialNumber = 0;
    SerialText = "0000-0000";
}

}  // namespace DiskUtils
