#include "ListReport.h"

#include "DriveListModel.h"
#include "RowTexts.h"

namespace drives {
namespace {

std::string SummaryJson(const CapacityTotals& totals) {
    const RowContent row = SummaryRowContent("", totals);
    return "{\"total\": " + JsonString(row.TotalText) + ", \"free\": " + JsonString(row.FreeText) +
           ", \"used\": " + JsonString(row.UsedText) +
           ", \"percent\": " + JsonString(row.PercentText) + "}";
}

std::string EntriesJson(const std::vector<std::string>& entries) {
    std::string out = "[";
    for (std::size_t i = 0; i < entries.size(); ++i)
        out += (i ? ", " : "") + JsonString(entries[i]);
    return out + "]";
}

}  // namespace

JsonMembers ListMembers() {
    DiskUtils::TDisk probe;
    TDriveListModel model;
    model.Rescan(probe);
    return {{"entries", EntriesJson(model.Entries())},
            {"local", SummaryJson(model.LocalTotals())},
            {"network", SummaryJson(model.NetworkTotals())},
            {"caption", JsonString(CaptionText(model.LocalTotals()))}};
}

}  // namespace drives
