#pragma once

#include <cstdint>
#include <string>

#include "DiskUtils.h"

// What the information window writes into its value labels, computed from a probe and the
// file-system flag word, with the current unit words and number separators.
struct DiskInfoTexts {
    std::string Header;
    std::string Total;
    std::string Free;
    std::string Used;
    std::string FreePercent;
    std::string UsedPercent;
    std::string FileSystem;
    std::string Type;
    std::string Serial;
};

DiskInfoTexts MakeDiskInfoTexts(const DiskUtils::TDisk& disk, std::uint32_t fileSystemFlags);

// An exact byte count grouped by thousands, no decimals, followed by the byte word.
std::string ByteCountText(std::int64_t bytes);
