#include "DriveReport.h"

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

DriveReport ScanDrives() {
    const platform::ScanScope scan;
    DiskUtils::TDisk probe;
    TDriveListModel model;
    model.Rescan(probe);
    DriveReport report;
    for (const std::string& entry : model.Entries()) {
        if (RowKindOf(entry) != RowKind::Drive) continue;
        probe.SetDriveIndex(DiskUtils::DriveLetterToIndex(entry.front()));
        if (probe.Present) report.Drives.push_back(DriveRecordOf(probe));
    }
    report.Entries = model.Entries();
    report.LocalTotals = model.LocalTotals();
    report.NetworkTotals = model.NetworkTotals();
    report.LocalRow = SummaryRowContent(kLocalSummaryLabel, report.LocalTotals);
    report.NetworkRow = SummaryRowContent(kNetworkSummaryLabel, report.NetworkTotals);
    report.Caption = CaptionText(report.LocalTotals);
    report.WithoutLetter = platform::currentLayer().mountsWithoutLetter();
    return report;
}
