#include "ScanReport.h"

#include <algorithm>
#include <tuple>

#include "DiskUtils.h"
#include "Json.h"
#include "Report.h"
#include "TextEscapes.h"

namespace drives {
namespace {

std::string SizeText(std::uint64_t bytes) {
    const auto value = static_cast<std::int64_t>(std::min<std::uint64_t>(bytes, INT64_MAX));
    return DiskUtils::NumberText(DiskUtils::ConvertToUnit(DiskUtils::DisplayUnit, value), 2) + " " +
           DiskUtils::UnitNames[DiskUtils::DisplayUnit];
}

std::string Count(std::uint64_t count) {
    return DiskUtils::CountText(
        static_cast<std::int64_t>(std::min<std::uint64_t>(count, INT64_MAX)));
}

std::string SummaryLine(const scan::ScanResult& result) {
    const scan::Totals& t = result.folders.front().total;
    std::string line = TableText(result.root) + ": " + SizeText(t.allocatedBytes) + " allocated, " +
                       SizeText(t.apparentBytes) + " apparent, " + Count(t.files) +
                       (t.files == 1 ? " file, " : " files, ") + Count(t.folders) +
                       (t.folders == 1 ? " folder" : " folders");
    if (result.unreadableFolders) line += ", " + Count(result.unreadableFolders) + " unreadable";
    if (result.cancelled) line += " (stopped early: partial)";
    return line + "\n";
}

std::string Number(std::uint64_t value) {
    return std::to_string(value);
}

}  // namespace

std::vector<std::uint32_t> BiggestFolders(const scan::ScanResult& result, std::size_t count) {
    std::vector<std::uint32_t> order;
    for (std::uint32_t i = 1; i < result.folders.size(); ++i) order.push_back(i);
    const auto larger = [&](std::uint32_t a, std::uint32_t b) {
        const auto& x = result.folders[a].total;
        const auto& y = result.folders[b].total;
        return std::tie(y.allocatedBytes, y.apparentBytes, a) <
               std::tie(x.allocatedBytes, x.apparentBytes, b);
    };
    const std::size_t kept = std::min(count, order.size());
    std::partial_sort(order.begin(), order.begin() + kept, order.end(), larger);
    order.resize(kept);
    return order;
}

std::string PathBelow(const scan::ScanResult& result, const std::string& relative) {
    if (relative.empty()) return result.root;
    if (!result.root.empty() && (result.root.back() == '/' || result.root.back() == '\\'))
        return result.root + relative;
    return result.root + "/" + relative;
}

std::string FolderPath(const scan::ScanResult& result, std::uint32_t index) {
    std::vector<const std::string*> names;
    for (; index != 0; index = result.folders[index].parent)
        names.push_back(&result.folders[index].name);
    std::string relative;
    for (auto it = names.rbegin(); it != names.rend(); ++it)
        relative += (relative.empty() ? "" : "/") + **it;
    return PathBelow(result, relative);
}

std::string FormatScanTable(const scan::ScanResult& result) {
    std::vector<std::vector<std::string>> folders = {
        {"Allocated", "Apparent", "Files", "Folders", "Biggest folders"}};
    for (const std::uint32_t i : BiggestFolders(result, kScanTableRows)) {
        const scan::Folder& f = result.folders[i];
        folders.push_back(
            {SizeText(f.total.allocatedBytes), SizeText(f.total.apparentBytes),
             Count(f.total.files), Count(f.total.folders),
             TableText(FolderPath(result, i)) + (f.unreadable ? " (unreadable)" : "")});
    }
    std::vector<std::vector<std::string>> files = {{"Allocated", "Apparent", "Biggest files"}};
    const std::size_t shown = std::min(kScanTableRows, result.biggestFiles.size());
    for (std::size_t i = 0; i < shown; ++i) {
        const scan::File& f = result.biggestFiles[i];
        files.push_back({SizeText(f.allocatedBytes), SizeText(f.apparentBytes),
                         TableText(PathBelow(result, f.path))});
    }
    return SummaryLine(result) + "\n" + TableLines(folders, {true, true, true, true, false}) +
           "\n" + TableLines(files, {true, true, false});
}

std::string FormatScanJson(const scan::ScanResult& result,
                           const std::vector<std::string>& extraMembers) {
    const scan::Totals& t = result.folders.front().total;
    std::vector<std::string> folders;
    for (const std::uint32_t i : BiggestFolders(result, kScanJsonRows)) {
        const scan::Folder& f = result.folders[i];
        folders.push_back(Object({JsonTextMembers("path", FolderPath(result, i)),
                                  Member("allocatedBytes", Number(f.total.allocatedBytes)),
                                  Member("apparentBytes", Number(f.total.apparentBytes)),
                                  Member("files", Number(f.total.files)),
                                  Member("folders", Number(f.total.folders)),
                                  Member("unreadable", f.unreadable ? "true" : "false")}));
    }
    std::vector<std::string> files;
    const std::size_t shown = std::min(kScanJsonRows, result.biggestFiles.size());
    for (std::size_t i = 0; i < shown; ++i) {
        const scan::File& f = result.biggestFiles[i];
        files.push_back(Object({JsonTextMembers("path", PathBelow(result, f.path)),
                                Member("allocatedBytes", Number(f.allocatedBytes)),
                                Member("apparentBytes", Number(f.apparentBytes))}));
    }
    std::vector<std::string> members = {
        JsonTextMembers("path", result.root),
        Member("allocatedBytes", Number(t.allocatedBytes)),
        Member("apparentBytes", Number(t.apparentBytes)),
        Member("files", Number(t.files)),
        Member("folders", Number(t.folders)),
        Member("unreadableFolders", Number(result.unreadableFolders)),
        Member("biggestFolders", Array(folders, "  ")),
        Member("biggestFiles", Array(files, "  "))};
    members.insert(members.end(), extraMembers.begin(), extraMembers.end());
    std::string text = "{";
    for (std::size_t i = 0; i < members.size(); ++i) text += (i ? ",\n  " : "\n  ") + members[i];
    return text + "\n}\n";
}

}  // namespace drives
