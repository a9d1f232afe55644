#include "RowTexts.h"

#include <algorithm>
#include <cmath>

using namespace DiskUtils;

namespace {

constexpr std::uint8_t kFigureDecimals = 2;

float GigaValue(Capacity value) {
    return static_cast<float>(value.Value());
}

std::string GigaText(Capacity value) {
    return NumberText(value, kFigureDecimals) + " " + UnitNames[suGiga];
}

// The summary rows show the rounded share, so text and bar always agree there.
int RoundedShareOf(Capacity part, Capacity whole) {
    return BarLengthOf(PercentOf(GigaValue(part), GigaValue(whole), 0)) / 2;
}

}  // namespace

int BarLengthOf(float share) {
    if (!std::isfinite(share)) return 0;
    const float clamped = std::clamp(share, 0.0f, 100.0f);
    return 2 * static_cast<int>(RoundHalfEven(clamped));
}

std::string PercentText(long double share) {
    return FixedText(share, 1) + " %";
}

RowContent SummaryRowContent(const char* label, const CapacityTotals& totals) {
    RowContent row;
    row.Label = label;
    row.TotalText = GigaText(totals.Total);
    row.FreeText = GigaText(totals.Free);
    row.UsedText = GigaText(totals.Used);
    row.BarLength = 2 * RoundedShareOf(totals.Used, totals.Total);
    row.PercentText = PercentText(row.BarLength / 2);
    return row;
}

std::string BracketText(const std::string& fileSystem, const std::string& typeText) {
    return "[" + fileSystem + " - " + typeText + "]";
}

RowContent DriveRowContent(const TDisk& probe) {
    RowContent row;
    row.RowText = std::string(1, probe.DriveLetter) + ":";
    row.Label = probe.VolumeName;
    row.TotalText = FormatCapacity(probe.DriveIndex, DisplayUnit, ckTotal, kFigureDecimals);
    row.FreeText = FormatCapacity(probe.DriveIndex, DisplayUnit, ckFree, kFigureDecimals);
    row.UsedText = FormatCapacity(probe.DriveIndex, DisplayUnit, ckUsed, kFigureDecimals);
    row.PercentText = PercentText(probe.UsedPercent);
    row.BracketText = BracketText(probe.FileSystemName, probe.DriveTypeText);
    row.BarLength = BarLengthOf(probe.UsedPercent);
    return row;
}

CaptionFigures CaptionFiguresOf(const CapacityTotals& local) {
    return {GigaText(local.Total), PercentText(RoundedShareOf(local.Free, local.Total))};
}

// In one pass, like the translation's own arg(): a figure is never read as a place-holder.
std::string CaptionText(const CapacityTotals& local, std::string_view pattern) {
    const CaptionFigures figures = CaptionFiguresOf(local);
    std::string caption;
    for (std::size_t at = 0; at < pattern.size(); ++at) {
        const char next = at + 1 < pattern.size() ? pattern[at + 1] : '\0';
        if (pattern[at] == '%' && (next == '1' || next == '2')) {
            caption += next == '1' ? figures.Total : figures.FreeShare;
            ++at;
        } else {
            caption += pattern[at];
        }
    }
    return caption;
}
