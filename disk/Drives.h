#pragma once

#include <cstdint>
#include <string>

// Drive letters and the volume queries, each a fresh call to the installed layer.
namespace DiskUtils {

char DriveIndexToLetter(std::uint8_t index);
std::uint8_t DriveLetterToIndex(char letter);
std::string RootPathOf(char letter);

// -1 when the drive does not answer.
std::int64_t QueryDiskSize(std::uint8_t drive);
std::int64_t QueryDiskFree(std::uint8_t drive);

std::string GetVolumeName(char letter);
std::string GetFileSystemName(char letter);
std::uint32_t GetFileSystemFlags(char letter);
std::uint32_t GetVolumeSerial(char letter);
std::uint32_t GetDriveTypeCode(char letter);
std::string DriveTypeToText(std::uint32_t code);
std::string SerialToText(std::uint32_t serial);

}  // namespace DiskUtils
