#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "DriveReport.h"

// The two forms of the tool's report. Both take every text from the report as it is.
namespace drives {

// Labels longer than this many characters are shortened in the middle, so one odd volume
// cannot widen every line. The cut comes before escaping, so no escape is ever split.
inline constexpr std::size_t kLabelColumnLimit = 32;

// What the usage history says of one drive, for --history.
struct DriveHistory {
    std::optional<std::int64_t> fullInSeconds;
    std::optional<double> trendBytesPerDay;
    std::size_t samples = 0;
    std::optional<std::int64_t> since;  // Unix seconds of the oldest sample
};

// With `history` (one per drive of the report), the table gets a "Full in" column and each
// JSON drive a "forecast" object.
std::string FormatTable(const DriveReport& report,
                        const std::vector<DriveHistory>* history = nullptr);
std::string FormatJson(const DriveReport& report,
                       const std::vector<DriveHistory>* history = nullptr);

// The tool's table: columns two spaces apart, each as wide as its widest cell, aligned right
// where `right` says so; no line ends in spaces.
std::string TableLines(const std::vector<std::vector<std::string>>& table,
                       const std::vector<bool>& right);

// "3 days", "5 h", "20 min", or "—" without a forecast.
std::string FullInText(std::optional<std::int64_t> seconds);
// 2026-12-08T07:50:00Z
std::string IsoTime(std::int64_t unixSeconds);

}  // namespace drives
