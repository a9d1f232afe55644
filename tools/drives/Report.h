#pragma once

#include <string>

#include "DriveReport.h"

// The two forms of the tool's report. Both take every text from the report as it is.
namespace drives {

// Labels longer than this many characters are shortened in the middle, so one odd volume
// cannot widen every line. The cut comes before escaping, so no escape is ever split.
inline constexpr std::size_t kLabelColumnLimit = 32;

std::string FormatTable(const DriveReport& report);
std::string FormatJson(const DriveReport& report);

}  // namespace drives
