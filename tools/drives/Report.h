#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "DiskUtils.h"

namespace drives {

// What a probe holds after selecting one drive, with the row texts in the display unit.
struct DriveRow {
    char letter = '\0';
    std::string label;
    std::string fileSystem;
    std::uint32_t typeCode = 0;
    std::string typeText;
    std::int64_t totalBytes = 0;
    std::int64_t freeBytes = 0;
    std::int64_t usedBytes = 0;
    float freePercent = 0;
    float usedPercent = 0;
    std::uint32_t serial = 0;
    std::string serialText;
    std::uint32_t flags = 0;
    std::string totalText;
    std::string freeText;
    std::string usedText;
    std::optional<std::string> mountPoint;
};

// Every letter A..Z that answers, in order.
std::vector<DriveRow> CollectDrives();

std::string FormatTable(const std::vector<DriveRow>& rows);

// Members are appended after "drives" as they are given: name and ready-made JSON value.
using JsonMembers = std::vector<std::pair<std::string, std::string>>;
std::string FormatJson(const std::vector<DriveRow>& rows, const JsonMembers& extra = {});

std::string JsonString(std::string_view text);

}  // namespace drives
