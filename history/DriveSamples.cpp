#include "DriveSamples.h"

namespace history {

DriveKey KeyOf(const DriveRecord& record) {
    const DiskUtils::TDisk& disk = record.Disk;
    return {disk.SerialNumber, record.MountPoint.value_or(DiskUtils::RootPathOf(disk.DriveLetter))};
}

DriveSample SampleOf(const DriveRecord& record) {
    const DiskUtils::TDisk& disk = record.Disk;
    return {KeyOf(record),  disk.DriveLetter, disk.VolumeName, disk.FileSystemName,
            disk.DriveType, disk.TotalBytes,  disk.FreeBytes};
}

std::vector<DriveSample> SamplesOf(const std::vector<DriveRecord>& drives) {
    std::vector<DriveSample> samples;
    for (const DriveRecord& record : drives) samples.push_back(SampleOf(record));
    return samples;
}

}  // namespace history
