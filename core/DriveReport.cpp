#include "DriveReport.h"

#include <algorithm>

bool DriveRecord::ReadOnly() const {
    return (Flags & kReadOnlyVolume) != 0;
}

DriveRecord DriveRecordOf(const DiskUtils::TDisk& probe) {
    auto& layer = platform::currentLayer();
    const std::string root = DiskUtils::RootPathOf(probe.DriveLetter);
    DriveRecord record;
    record.Disk = probe;
    record.Row = DriveRowContent(probe);
    record.FreePercentText = PercentText(probe.FreePercent);
    record.Flags = DiskUtils::GetFileSystemFlags(probe.DriveLetter);
    record.MountPoint = layer.mountPoint(root);
    record.Source = layer.source(root);
    return record;
}

namespace {

std::vector<DriveRecord> RecordsOf(const std::vector<std::string>& entries) {
    const platform::ScanScope scan;
    DiskUtils::TDisk probe;
    std::vector<DriveRecord> records;
    for (const std::string& entry : entries) {
        if (RowKindOf(entry) != RowKind::Drive) continue;
        probe.SetDriveIndex(DiskUtils::DriveLetterToIndex(entry.front()));
        if (probe.Present) records.push_back(DriveRecordOf(probe));
    }
    return records;
}

}  // namespace

const DriveRecord* DriveSnapshot::Find(char letter) const {
    const auto found = std::find_if(Drives.begin(), Drives.end(), [letter](const DriveRecord& d) {
        return d.Disk.DriveLetter == letter;
    });
    return found == Drives.end() ? nullptr : &*found;
}

DriveSnapshot TakeDriveSnapshot(const std::vector<std::string>& entries) {
    return {RecordsOf(entries)};
}

DriveReport ScanDrives() {
    const platform::ScanScope scan;
    DiskUtils::TDisk probe;
    TDriveListModel model;
    model.Rescan(probe);
    DriveReport report;
    report.Drives = RecordsOf(model.Entries());
    report.Entries = model.Entries();
    report.LocalTotals = model.LocalTotals();
    report.NetworkTotals = model.NetworkTotals();
    report.LocalRow = SummaryRowContent(kLocalSummaryLabel, report.LocalTotals);
    report.NetworkRow = SummaryRowContent(kNetworkSummaryLabel, report.NetworkTotals);
    report.Caption = CaptionText(report.LocalTotals);
    report.WithoutLetter = platform::currentLayer().mountsWithoutLetter();
    return report;
}
