#pragma once

#include <optional>
#include <string>

#include "Growth.h"

// The two forms of --grew. Paths are absolute: the drive's mount point with each folder's
// path beneath it, taken as the bytes they are.
namespace drives {

struct GrowthView {
    std::string drive;       // "D:"
    std::string mountPoint;  // where the folders' drive-relative paths start
    history::Growth growth;
    std::optional<history::Rates> rates;
};

// The 20 largest changes and rates, in the display unit of the drive table.
std::string FormatGrowthTable(const GrowthView& view);
// Every change and rate.
std::string FormatGrowthJson(const GrowthView& view);

}  // namespace drives
