#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "ScanTypes.h"

// The two forms of a folder scan's report (--scan). Paths are absolute and, like the drive
// report's texts, taken as the bytes they are.
namespace drives {

inline constexpr std::size_t kScanTableRows = 20;
inline constexpr std::size_t kScanJsonRows = 100;

// Indices of the `count` largest folders below the scanned one (any depth), largest first.
std::vector<std::uint32_t> BiggestFolders(const scan::ScanResult& result, std::size_t count);

// The absolute path of folder `index`, or of a path relative to the scanned folder.
std::string FolderPath(const scan::ScanResult& result, std::uint32_t index);
std::string PathBelow(const scan::ScanResult& result, const std::string& relative);

// Sizes in the display unit of the drive table.
std::string FormatScanTable(const scan::ScanResult& result);
// `extraMembers`, JSON members already formatted ("\"name\": value"), close the object.
std::string FormatScanJson(const scan::ScanResult& result,
                           const std::vector<std::string>& extraMembers = {});

}  // namespace drives
