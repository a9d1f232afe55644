#include "GrowthReport.h"

#include <cmath>
#include <cstdio>
#include <vector>

#include "DiskUtils.h"
#include "Json.h"
#include "Report.h"
#include "TextEscapes.h"

namespace drives {
namespace {

constexpr std::size_t kTableRows = 20;

std::string AbsolutePath(const std::string& mountPoint, const std::string& relative) {
    if (relative.empty()) return mountPoint;
    if (!mountPoint.empty() && (mountPoint.back() == '/' || mountPoint.back() == '\\'))
        return mountPoint + relative;
    return mountPoint + "/" + relative;
}

std::string SizeText(double bytes, bool signedText = false) {
    const auto magnitude = std::llround(std::min(std::fabs(bytes), 9.2e18));
    const auto unit = DiskUtils::DisplayUnit;
    const std::string number = DiskUtils::NumberText(DiskUtils::ConvertToUnit(unit, magnitude), 2);
    // A change too small for the unit shows no sign: "-0.00" would claim a direction.
    const bool zero = number == DiskUtils::NumberText(DiskUtils::ConvertToUnit(unit, 0), 2);
    const std::string sign = zero ? "" : bytes < 0 ? "-" : (signedText && bytes > 0 ? "+" : "");
    return sign + number + " " + DiskUtils::UnitNames[unit];
}

const char* StatusText(history::FolderStatus status) {
    switch (status) {
        case history::FolderStatus::added:
            return "new";
        case history::FolderStatus::vanished:
            return "vanished";
        case history::FolderStatus::changed:
            break;
    }
    return "changed";
}

std::string TablePath(const GrowthView& view, const std::string& path, bool other) {
    return TableText(AbsolutePath(view.mountPoint, path)) + (other ? " (other)" : "");
}

std::string Days(std::int64_t seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", static_cast<double>(seconds) / 86400);
    return text;
}

std::string ChangesTable(const GrowthView& view) {
    std::vector<std::vector<std::string>> table = {
        {"Before", "After", "Change", "Per day", "", "Folder"}};
    const auto& folders = view.growth.folders;
    for (std::size_t i = 0; i < folders.size() && i < kTableRows; ++i) {
        const history::FolderChange& f = folders[i];
        table.push_back({SizeText(static_cast<double>(f.beforeBytes)),
                         SizeText(static_cast<double>(f.afterBytes)),
                         SizeText(static_cast<double>(f.changeBytes), true),
                         f.bytesPerDay ? SizeText(*f.bytesPerDay, true) : "\xE2\x80\x94",
                         f.status == history::FolderStatus::changed ? "" : StatusText(f.status),
                         TablePath(view, f.path, f.other)});
    }
    if (table.size() == 1) return "Nothing changed.\n";
    std::string text = TableLines(table, {true, true, true, true, false, false});
    if (folders.size() > kTableRows)
        text += std::to_string(folders.size() - kTableRows) +
                " smaller changes are left out; --json lists them all.\n";
    return text;
}

std::string RatesTable(const GrowthView& view) {
    const history::Rates& rates = *view.rates;
    std::string text = "\nGrowth per day over " + std::to_string(rates.snapshots) + " snapshots";
    text += rates.trendBytesPerDay ? ", against the forecast's trend of " +
                                         SizeText(*rates.trendBytesPerDay, true) + " a day:\n"
                                   : " (the forecast has no trend yet):\n";
    std::vector<std::vector<std::string>> table = {{"Per day", "Of trend", "Folder"}};
    for (std::size_t i = 0; i < rates.folders.size() && i < kTableRows; ++i) {
        const history::FolderRate& r = rates.folders[i];
        std::string share = "\xE2\x80\x94";
        if (r.shareOfTrend) share = std::to_string(std::lround(*r.shareOfTrend * 100)) + " %";
        table.push_back({SizeText(r.bytesPerDay, true), share, TablePath(view, r.path, r.other)});
    }
    return text + TableLines(table, {true, true, false});
}

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", value);
    return text;
}

std::string OrNull(const std::optional<std::string>& value) {
    return value.value_or("null");
}

std::string PathMembers(const GrowthView& view, const std::string& path, bool other) {
    return JsonTextMembers("path", AbsolutePath(view.mountPoint, path)) + ", " +
           Member("other", other ? "true" : "false");
}

std::string ChangeJson(const GrowthView& view, const history::FolderChange& f) {
    std::optional<std::string> perDay;
    if (f.bytesPerDay) perDay = std::to_string(std::llround(*f.bytesPerDay));
    return Object({PathMembers(view, f.path, f.other),
                   Member("status", JsonString(StatusText(f.status))),
                   Member("beforeBytes", std::to_string(f.beforeBytes)),
                   Member("afterBytes", std::to_string(f.afterBytes)),
                   Member("changeBytes", std::to_string(f.changeBytes)),
                   Member("bytesPerDay", OrNull(perDay))});
}

std::string RatesJson(const GrowthView& view) {
    if (!view.rates) return "null";
    const history::Rates& rates = *view.rates;
    std::vector<std::string> folders;
    for (const history::FolderRate& r : rates.folders) {
        std::optional<std::string> share;
        if (r.shareOfTrend) share = Number(*r.shareOfTrend);
        folders.push_back(
            Object({PathMembers(view, r.path, r.other),
                    Member("bytesPerDay", std::to_string(std::llround(r.bytesPerDay))),
                    Member("shareOfTrend", OrNull(share))}));
    }
    std::optional<std::string> trend;
    if (rates.trendBytesPerDay) trend = std::to_string(std::llround(*rates.trendBytesPerDay));
    return "{\n    " + Member("snapshots", std::to_string(rates.snapshots)) + ",\n    " +
           Member("trendBytesPerDay", OrNull(trend)) + ",\n    " +
           Member("folders", Array(folders, "    ")) + "\n  }";
}

}  // namespace

std::string FormatGrowthTable(const GrowthView& view) {
    const history::Growth& g = view.growth;
    std::string text = "What grew on " + view.drive + " (" + TableText(view.mountPoint) +
                       ") from " + IsoTime(g.from) + " to " + IsoTime(g.to) + ", " +
                       Days(g.to - g.from) + " days:\n";
    text += ChangesTable(view);
    if (view.rates) text += RatesTable(view);
    return text;
}

std::string FormatGrowthJson(const GrowthView& view) {
    std::vector<std::string> folders;
    for (const history::FolderChange& f : view.growth.folders)
        folders.push_back(ChangeJson(view, f));
    return "{\n  " + Member("drive", JsonString(view.drive)) + ",\n  " +
           JsonTextMembers("mountPoint", view.mountPoint) + ",\n  " +
           Member("from", JsonString(IsoTime(view.growth.from))) + ",\n  " +
           Member("to", JsonString(IsoTime(view.growth.to))) + ",\n  " +
           Member("folders", Array(folders, "  ")) + ",\n  " + Member("rates", RatesJson(view)) +
           "\n}\n";
}

}  // namespace drives
