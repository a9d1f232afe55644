#pragma once

#include <cstdint>
#include <string>

#include "Capacity.h"
#include "OsLayer.h"

// Number texts with the user's regional separators.
namespace DiskUtils {

// One character each (UTF-8, so possibly several bytes), or empty for "no separator".
struct NumberSeparators {
    std::string Thousands = ",";
    std::string Decimal = ".";
};

// Reads the user's settings through the layer: at start-up and whenever the system
// announces a change.
void LoadNumberSeparators();
// The first character of each setting; "," and "." for a setting that cannot be read.
NumberSeparators SeparatorsFrom(const platform::NumberSettings& settings);

// The "%.Nn" text of a Capacity: grouped integer part, `decimals` places, ties to even.
std::string NumberText(Capacity value, std::uint8_t decimals);
// A whole count with the thousands separator, exact over the whole 64-bit range (NumberText's
// Capacity would stop at 922,337,203,685,477).
std::string CountText(std::int64_t count);
// The "%.Nf" text of a float with the regional decimal separator, ties to even.
std::string FixedText(long double value, std::uint8_t decimals);

}  // namespace DiskUtils
