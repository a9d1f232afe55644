#include "Report.h"

#include <charconv>
#include <cstdio>

#include "OsLayer.h"

namespace drives {
namespace {

DriveRow RowOf(const DiskUtils::TDisk& disk) {
    using namespace DiskUtils;
    const std::uint8_t index = disk.DriveIndex;
    DriveRow row;
    row.letter = disk.DriveLetter;
    row.label = disk.VolumeName;
    row.fileSystem = disk.FileSystemName;
    row.typeCode = disk.DriveType;
    row.typeText = disk.DriveTypeText;
    row.totalBytes = disk.TotalBytes;
    row.freeBytes = disk.FreeBytes;
    row.usedBytes = disk.UsedBytes;
    row.freePercent = disk.FreePercent;
    row.usedPercent = disk.UsedPercent;
    row.serial = disk.SerialNumber;
    row.serialText = disk.SerialText;
    row.flags = GetFileSystemFlags(disk.DriveLetter);
    row.totalText = FormatCapacity(index, DisplayUnit, ckTotal, 2);
    row.freeText = FormatCapacity(index, DisplayUnit, ckFree, 2);
    row.usedText = FormatCapacity(index, DisplayUnit, ckUsed, 2);
    row.mountPoint = platform::currentLayer().mountPoint(RootPathOf(disk.DriveLetter));
    return row;
}

// Shortest text that reads back as the same float.
std::string FloatText(float value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::size_t DisplayWidth(std::string_view text) {
    std::size_t width = 0;
    for (const char c : text) width += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return width;
}

std::string Padded(const std::string& text, std::size_t width, bool right) {
    const std::string fill(width > DisplayWidth(text) ? width - DisplayWidth(text) : 0, ' ');
    return right ? fill + text : text + fill;
}

using Cells = std::vector<std::string>;

Cells CellsOf(const DriveRow& r) {
    char flags[16];
    std::snprintf(flags, sizeof flags, "0x%08X", static_cast<unsigned>(r.flags));
    return {std::string{r.letter, ':'},
            r.label,
            r.fileSystem,
            std::to_string(r.typeCode) + " " + r.typeText,
            r.totalText,
            r.freeText,
            r.usedText,
            DiskUtils::FixedText(r.freePercent, 1) + " %",
            DiskUtils::FixedText(r.usedPercent, 1) + " %",
            r.serialText + " (" + std::to_string(r.serial) + ")",
            flags,
            r.mountPoint.value_or("")};
}

std::string JsonMember(const std::string& name, const std::string& value) {
    return JsonString(name) + ": " + value;
}

std::string DriveJson(const DriveRow& r) {
    const std::vector<std::string> members = {
        JsonMember("letter", JsonString(std::string(1, r.letter))),
        JsonMember("label", JsonString(r.label)),
        JsonMember("fileSystem", JsonString(r.fileSystem)),
        JsonMember("typeCode", std::to_string(r.typeCode)),
        JsonMember("typeText", JsonString(r.typeText)),
        JsonMember("totalBytes", std::to_string(r.totalBytes)),
        JsonMember("freeBytes", std::to_string(r.freeBytes)),
        JsonMember("usedBytes", std::to_string(r.usedBytes)),
        JsonMember("freePercent", FloatText(r.freePercent)),
        JsonMember("usedPercent", FloatText(r.usedPercent)),
        JsonMember("serial", std::to_string(r.serial)),
        JsonMember("serialText", JsonString(r.serialText)),
        JsonMember("flags", std::to_string(r.flags)),
        JsonMember("totalText", JsonString(r.totalText)),
        JsonMember("freeText", JsonString(r.freeText)),
        JsonMember("usedText", JsonString(r.usedText)),
    };
    std::string text = "    {";
    for (std::size_t i = 0; i < members.size(); ++i) text += (i ? ", " : "") + members[i];
    if (r.mountPoint) text += ", " + JsonMember("mountPoint", JsonString(*r.mountPoint));
    return text + "}";
}

}  // namespace

std::vector<DriveRow> CollectDrives() {
    std::vector<DriveRow> rows;
    DiskUtils::TDisk disk;
    for (std::uint8_t index = 1; index <= 26; ++index) {
        disk.SetDriveIndex(index);
        if (disk.Present) rows.push_back(RowOf(disk));
    }
    return rows;
}

std::string FormatTable(const std::vector<DriveRow>& rows) {
    const Cells header = {"Drive", "Label",  "File system", "Type",   "Total", "Free",
                          "Used",  "Free %", "Used %",      "Serial", "Flags", "Mount point"};
    // Figures and percentages read best right-aligned.
    const std::vector<bool> right = {false, false, false, false, true,  true,
                                     true,  true,  true,  false, false, false};
    std::vector<Cells> table = {header};
    for (const auto& r : rows) table.push_back(CellsOf(r));
    std::vector<std::size_t> widths(header.size(), 0);
    for (const auto& cells : table) {
        for (std::size_t c = 0; c < cells.size(); ++c)
            widths[c] = std::max(widths[c], DisplayWidth(cells[c]));
    }
    std::string out;
    for (const auto& cells : table) {
        std::string line;
        for (std::size_t c = 0; c < cells.size(); ++c) {
            line += (c ? "  " : "") + Padded(cells[c], widths[c], right[c]);
        }
        out += line.substr(0, line.find_last_not_of(' ') + 1) + "\n";
    }
    return out;
}

std::string FormatJson(const std::vector<DriveRow>& rows, const JsonMembers& extra) {
    std::string out = "{\n  \"drives\": [";
    for (std::size_t i = 0; i < rows.size(); ++i) out += (i ? ",\n" : "\n") + DriveJson(rows[i]);
    out += rows.empty() ? "]" : "\n  ]";
    for (const auto& [name, value] : extra) out += ",\n  " + JsonMember(name, value);
    return out + "\n}\n";
}

std::string JsonString(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", u);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

}  // namespace drives
