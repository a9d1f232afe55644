#include "UnexplainedReport.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "DiskUtils.h"
#include "Json.h"
#include "Report.h"
#include "TextEscapes.h"

namespace drives {
namespace {

std::string SizeText(std::int64_t bytes) {
    const std::int64_t magnitude = bytes < 0 ? -std::max(bytes, -INT64_MAX) : bytes;
    return (bytes < 0 ? "-" : "") +
           DiskUtils::NumberText(DiskUtils::ConvertToUnit(DiskUtils::DisplayUnit, magnitude), 2) +
           " " + DiskUtils::UnitNames[DiskUtils::DisplayUnit];
}

std::int64_t Signed(std::uint64_t bytes) {
    return static_cast<std::int64_t>(std::min<std::uint64_t>(bytes, INT64_MAX));
}

}  // namespace

std::string FormatUnexplainedTable(const space::Unexplained& u) {
    const std::int64_t difference = Signed(u.usedBytes) - Signed(u.scannedBytes);
    std::string text = "\nUsed space no folder explains: " + SizeText(difference) + " (" +
                       SizeText(Signed(u.usedBytes)) + " used, " +
                       SizeText(Signed(u.scannedBytes)) + " in folders)\n";
    std::vector<std::vector<std::string>> table;
    table.push_back({SizeText(Signed(u.reservedBytes)), "reserved for the super-user"});
    for (const space::DeletedOpenFile& file : u.deletedOpenFiles)
        table.push_back({SizeText(Signed(file.allocatedBytes)),
                         "deleted, still open by " + TableText(file.process) + " (pid " +
                             std::to_string(file.pid) + "): " + TableText(file.path)});
    table.push_back({SizeText(u.otherBytes), "file-system overhead and unreadable folders"});
    return text + TableLines(table, {true, false});
}

std::string UnexplainedMember(const space::Unexplained& u) {
    std::vector<std::string> files;
    for (const space::DeletedOpenFile& file : u.deletedOpenFiles)
        files.push_back(
            Object({Member("pid", std::to_string(file.pid)),
                    JsonTextMembers("process", file.process), JsonTextMembers("path", file.path),
                    Member("allocatedBytes", std::to_string(file.allocatedBytes))}));
    return Member("unexplained",
                  "{\n    " + Member("usedBytes", std::to_string(u.usedBytes)) + ",\n    " +
                      Member("scannedBytes", std::to_string(u.scannedBytes)) + ",\n    " +
                      Member("reservedBytes", std::to_string(u.reservedBytes)) + ",\n    " +
                      Member("deletedOpenFiles", Array(files, "    ")) + ",\n    " +
                      Member("otherBytes", std::to_string(u.otherBytes)) + "\n  }");
}

}  // namespace drives
