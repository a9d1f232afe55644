#include "Report.h"

#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>

#include "Durations.h"
#include "Json.h"
#include "TextEscapes.h"
#include "Utf8.h"

namespace drives {
namespace {

// Shortest text that reads back as the same float.
std::string FloatText(float value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string Padded(const std::string& text, std::size_t width, bool right) {
    const std::size_t length = utf8::CharacterCount(text);
    const std::string fill(width > length ? width - length : 0, ' ');
    return right ? fill + text : text + fill;
}

using Cells = std::vector<std::string>;

Cells CellsOf(const DriveRecord& r) {
    const DiskUtils::TDisk& d = r.Disk;
    char flags[16];
    std::snprintf(flags, sizeof flags, "0x%08X", static_cast<unsigned>(r.Flags));
    return {r.Row.RowText,
            TableText(CappedText(r.Row.Label, kLabelColumnLimit)),
            TableText(d.FileSystemName),
            std::to_string(d.DriveType) + " " + d.DriveTypeText,
            r.Row.TotalText,
            r.Row.FreeText,
            r.Row.UsedText,
            r.FreePercentText,
            r.Row.PercentText,
            d.SerialText + " (" + std::to_string(d.SerialNumber) + ")",
            flags,
            TableText(r.MountPoint.value_or(""))};
}

}  // namespace

std::string TableLines(const std::vector<Cells>& table, const std::vector<bool>& right) {
    std::vector<std::size_t> widths(right.size(), 0);
    for (const auto& cells : table) {
        for (std::size_t c = 0; c < cells.size(); ++c)
            widths[c] = std::max(widths[c], utf8::CharacterCount(cells[c]));
    }
    std::string out;
    for (const auto& cells : table) {
        std::string line;
        for (std::size_t c = 0; c < cells.size(); ++c)
            line += (c ? "  " : "") + Padded(cells[c], widths[c], right[c]);
        out += line.substr(0, line.find_last_not_of(' ') + 1) + "\n";
    }
    return out;
}

namespace {

std::string WithoutLetterNote(std::size_t count) {
    if (count == 0) return {};
    return std::to_string(count) + (count == 1 ? " file system has" : " file systems have") +
           " no drive letter; --json lists " + (count == 1 ? "it" : "them") +
           " under \"withoutLetter\".\n";
}

std::string Bytes(std::int64_t count) {
    return std::to_string(count);
}

std::string DriveJson(const DriveRecord& r) {
    const DiskUtils::TDisk& d = r.Disk;
    std::vector<std::string> members = {
        JsonTextMembers("letter", std::string(1, d.DriveLetter)),
        JsonTextMembers("label", d.VolumeName),
        JsonTextMembers("fileSystem", d.FileSystemName),
        Member("typeCode", std::to_string(d.DriveType)),
        JsonTextMembers("typeText", d.DriveTypeText),
        Member("totalBytes", Bytes(d.TotalBytes)),
        Member("freeBytes", Bytes(d.FreeBytes)),
        Member("usedBytes", Bytes(d.UsedBytes)),
        Member("freePercent", FloatText(d.FreePercent)),
        Member("usedPercent", FloatText(d.UsedPercent)),
        Member("serial", std::to_string(d.SerialNumber)),
        JsonTextMembers("serialText", d.SerialText),
        Member("flags", std::to_string(r.Flags)),
        Member("readOnly", r.ReadOnly() ? "true" : "false"),
        JsonTextMembers("totalText", r.Row.TotalText),
        JsonTextMembers("freeText", r.Row.FreeText),
        JsonTextMembers("usedText", r.Row.UsedText),
        r.Source ? JsonTextMembers("source", *r.Source) : Member("source", "null"),
    };
    if (r.MountPoint) members.push_back(JsonTextMembers("mountPoint", *r.MountPoint));
    return Object(members);
}

std::string SummaryJson(const RowContent& row, const CapacityTotals& totals) {
    return Object({JsonTextMembers("total", row.TotalText), JsonTextMembers("free", row.FreeText),
                   JsonTextMembers("used", row.UsedText),
                   JsonTextMembers("percent", row.PercentText),
                   Member("totalBytes", Bytes(totals.TotalBytes)),
                   Member("freeBytes", Bytes(totals.FreeBytes)),
                   Member("usedBytes", Bytes(totals.UsedBytes))});
}

std::string WithoutLetterJson(const platform::MountWithoutLetter& m) {
    return Object({JsonTextMembers("mountPoint", m.mountPoint),
                   JsonTextMembers("fileSystem", m.fileSystemName),
                   Member("totalBytes", Bytes(m.totalBytes)),
                   Member("freeBytes", Bytes(m.freeBytesForCaller)),
                   Member("usedBytes", Bytes(m.totalBytes - m.freeBytesForCaller))});
}

std::string EntriesJson(const std::vector<std::string>& entries) {
    std::string out = "[";
    for (std::size_t i = 0; i < entries.size(); ++i)
        out += (i ? ", " : "") + JsonString(entries[i]);
    return out + "]";
}

}  // namespace

std::string FormatTable(const DriveReport& report, const std::vector<DriveHistory>* history) {
    // Figures and percentages read best right-aligned.
    std::vector<bool> right = {false, false, false, false, true,  true,
                               true,  true,  true,  false, false, false};
    std::vector<Cells> table = {{"Drive", "Label", "File system", "Type", "Total", "Free", "Used",
                                 "Free %", "Used %", "Serial", "Flags", "Mount point"}};
    for (const auto& record : report.Drives) table.push_back(CellsOf(record));
    if (history) {
        // Before the mount point, which may be long.
        right.insert(right.end() - 1, true);
        table[0].insert(table[0].end() - 1, "Full in");
        for (std::size_t i = 0; i < history->size() && i + 1 < table.size(); ++i)
            table[i + 1].insert(table[i + 1].end() - 1, FullInText((*history)[i].fullInSeconds));
    }
    return TableLines(table, right) + WithoutLetterNote(report.WithoutLetter.size());
}

std::string FullInText(std::optional<std::int64_t> seconds) {
    if (!seconds) return "\xE2\x80\x94";
    const DurationFigure figure = DurationFigureOf(*seconds);
    const std::string count = std::to_string(figure.count);
    switch (figure.unit) {
        case DurationFigure::Unit::Minutes:
            return count + " min";
        case DurationFigure::Unit::Hours:
            return count + " h";
        case DurationFigure::Unit::Days:
            break;
    }
    return count + " days";
}

std::string IsoTime(std::int64_t unixSeconds) {
    using namespace std::chrono;
    const sys_seconds time{seconds(unixSeconds)};
    const auto day = floor<days>(time);
    const year_month_day date{day};
    const hh_mm_ss clock{time - day};
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02dZ", int(date.year()),
                  unsigned(date.month()), unsigned(date.day()), int(clock.hours().count()),
                  int(clock.minutes().count()), int(clock.seconds().count()));
    return text;
}

namespace {

std::string OrNull(const std::optional<std::string>& value) {
    return value.value_or("null");
}

std::string ForecastJson(const DriveHistory& h) {
    std::optional<std::string> trend;
    if (h.trendBytesPerDay) trend = std::to_string(std::llround(*h.trendBytesPerDay));
    return Object({Member("fullInSeconds",
                          OrNull(h.fullInSeconds ? std::optional(std::to_string(*h.fullInSeconds))
                                                 : std::nullopt)),
                   Member("trendBytesPerDay", OrNull(trend)),
                   Member("samples", std::to_string(h.samples)),
                   Member("since", h.since ? JsonString(IsoTime(*h.since)) : "null")});
}

}  // namespace

std::string FormatJson(const DriveReport& report, const std::vector<DriveHistory>* history) {
    std::vector<std::string> drives;
    for (const auto& record : report.Drives) drives.push_back(DriveJson(record));
    if (history) {
        for (std::size_t i = 0; i < history->size() && i < drives.size(); ++i)
            drives[i].insert(drives[i].size() - 1,
                             ", " + Member("forecast", ForecastJson((*history)[i])));
    }
    std::vector<std::string> withoutLetter;
    for (const auto& mount : report.WithoutLetter)
        withoutLetter.push_back(WithoutLetterJson(mount));
    return "{\n  " + Member("drives", Array(drives, "  ")) + ",\n  " +
           Member("entries", EntriesJson(report.Entries)) + ",\n  " +
           Member("local", SummaryJson(report.LocalRow, report.LocalTotals)) + ",\n  " +
           Member("network", SummaryJson(report.NetworkRow, report.NetworkTotals)) + ",\n  " +
           JsonTextMembers("caption", report.Caption) + ",\n  " +
           Member("withoutLetter", Array(withoutLetter, "  ")) + "\n}\n";
}

}  // namespace drives
