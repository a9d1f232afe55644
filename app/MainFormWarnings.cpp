#include <QAction>

#include "DriveWarnings.h"
#include "MainForm.h"
#include "OwnerDrawList.h"
#include "WarningTexts.h"

void TFrmMain::AttachWarnings(TDriveWarnings* warnings) {
    warnings_ = warnings;
    connect(warnings_, &TDriveWarnings::MuteRequested, this, &TFrmMain::MuteDrive);
    connect(warnings_, &TDriveWarnings::ForecastsChanged, this, &TFrmMain::Timer1Timer);
    ApplyWarningChoices();
}

void TFrmMain::ApplyWarningChoices() {
    if (!warnings_) return;
    warnings_->SetOn(Warnings1->isChecked());
    warnings_->SetMuted(mutedDrives_);
}

void TFrmMain::Warnings1Click() {
    ApplyWarningChoices();
    SaveChoices();
}

void TFrmMain::MuteDrive(const QString& driveId) {
    if (mutedDrives_.contains(driveId)) return;
    mutedDrives_.append(driveId);
    ApplyWarningChoices();
    SaveChoices();
}

DriveRecord TFrmMain::RecordOfRow(const DiskUtils::TDisk& probe, const RowContent& row) {
    DriveRecord record;
    record.Disk = probe;
    record.Row = row;
    record.Flags = DiskUtils::GetFileSystemFlags(probe.DriveLetter);
    record.MountPoint =
        platform::currentLayer().mountPoint(DiskUtils::RootPathOf(probe.DriveLetter));
    return record;
}

void TFrmMain::WarnAbout(const DiskUtils::TDisk& probe, const RowContent& row) {
    warnings_->Seen(RecordOfRow(probe, row));
}

QString TFrmMain::ForecastToolTip(const DiskUtils::TDisk& probe) const {
    if (!warnings_) return {};
    const auto fullIn = warnings_->FullInSeconds(RecordOfRow(probe, ShownDriveRow(probe)));
    return fullIn ? FullInText(*fullIn) : QString();
}
