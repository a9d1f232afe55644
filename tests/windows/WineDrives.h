#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The drives a test run finds under wine: wine's own C: and Z:, and the letters that
// add-wine-drives.sh adds. The two lists must agree.
namespace wine_drives {

struct ExpectedDrive {
    char letter;
    std::string label;
    std::string fileSystem;
    std::uint32_t type;
    std::string typeText;
    std::optional<std::uint32_t> serial;  // wine derives C:'s and Z:'s from the letter
    std::string serialText;               // empty where the serial is wine's own
};

const std::vector<ExpectedDrive>& answeringDrives();
inline constexpr char kAbsentLetter = 'Q';

// Wine's ntdll exports wine_get_version; Windows' does not.
bool runningUnderWine();

}  // namespace wine_drives
