#include "DriveListModel.h"

using DiskUtils::ConvertToUnit;
using DiskUtils::suGiga;

namespace {

constexpr std::uint8_t kFirstDrive = 1;
constexpr std::uint8_t kLastDrive = 26;

void AddDrive(CapacityTotals& sums, const DiskUtils::TDisk& probe) {
    sums.Total += ConvertToUnit(suGiga, probe.TotalBytes);
    sums.Free += ConvertToUnit(suGiga, probe.FreeBytes);
    sums.Used += ConvertToUnit(suGiga, probe.UsedBytes);
    sums.TotalBytes += probe.TotalBytes;
    sums.FreeBytes += probe.FreeBytes;
    sums.UsedBytes += probe.UsedBytes;
}

}  // namespace

RowKind RowKindOf(const std::string& entry) {
    if (entry == kLocalSummaryEntry) return RowKind::LocalSummary;
    if (entry == kNetworkSummaryEntry) return RowKind::NetworkSummary;
    return RowKind::Drive;
}

void TDriveListModel::Rescan(DiskUtils::TDisk& probe) {
    const platform::ScanScope scan;
    entries_ = {kLocalSummaryEntry, kNetworkSummaryEntry};
    local_ = {};
    network_ = {};
    for (std::uint8_t index = kFirstDrive; index <= kLastDrive; ++index) {
        probe.SetDriveIndex(index);
        if (!probe.Present) continue;
        entries_.emplace_back(1, probe.DriveLetter);
        if (probe.DriveType == platform::kDriveFixed) AddDrive(local_, probe);
        if (probe.DriveType == platform::kDriveRemote) AddDrive(network_, probe);
    }
}
