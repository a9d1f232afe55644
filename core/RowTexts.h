#pragma once

#include <string>
#include <string_view>

#include "DiskUtils.h"
#include "DriveListModel.h"

// Everything one row shows, worked out before anything is drawn.
struct RowContent {
    std::string RowText;  // drive rows only: "C:"
    std::string Label;
    std::string BracketText;
    std::string TotalText;
    std::string FreeText;
    std::string UsedText;
    std::string PercentText;
    int BarLength = 0;  // pixels, twice the rounded used share
};

inline constexpr const char* kLocalSummaryLabel = "LOCAL DISKS VALUE";
inline constexpr const char* kNetworkSummaryLabel = "NETWORK DISKS VALUE";

// Twice the share rounded half to even; shares outside 0..100 % (a failing free-space
// query makes "used" exceed the total) are clamped so the bar never leaves its track.
int BarLengthOf(float share);

// "%.1f %%" of a value with the regional decimal separator.
std::string PercentText(long double share);

// From the sums of the last rescan, in giga units; queries nothing.
RowContent SummaryRowContent(const char* label, const CapacityTotals& totals);

// "[<file system> - <type>]".
std::string BracketText(const std::string& fileSystem, const std::string& typeText);

// From a probe that holds a present drive; the three figures are read from the drive afresh
// in the display unit.
RowContent DriveRowContent(const DiskUtils::TDisk& probe);

// The two figures of the caption: the local total in giga units and its rounded free share.
struct CaptionFigures {
    std::string Total;
    std::string FreeShare;
};
CaptionFigures CaptionFiguresOf(const CapacityTotals& local);

inline constexpr const char* kCaptionPattern = "Vollmark - Total: %1 (%2 Free)";

// The caption from the local sums: `pattern` with %1 the total and %2 the free share. The
// window hands in the pattern in the user's language; the tool keeps it as written.
std::string CaptionText(const CapacityTotals& local, std::string_view pattern = kCaptionPattern);
