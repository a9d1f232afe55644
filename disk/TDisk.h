#pragma once

#include <cstdint>
#include <string>

namespace DiskUtils {

// The probe: everything the windows show about one drive, re-queried only when another
// drive is selected.
class TDisk {
public:
    TDisk();

    void SetDriveIndex(std::uint8_t index);
    void Refresh();

    bool Present = false;
    std::uint8_t DriveIndex = 0;
    char DriveLetter = '\0';
    std::string VolumeName;
    std::string FileSystemName;
    std::uint32_t DriveType = 0;
    std::string DriveTypeText;
    std::uint32_t SerialNumber = 0;
    std::string SerialText;
    std::int64_t FreeBytes = 0;
    std::int64_t TotalBytes = 0;
    std::int64_t UsedBytes = 0;
    float FreePercent = 0;
    float UsedPercent = 0;

private:
    void MakeAbsent();
};

}  // namespace DiskUtils
