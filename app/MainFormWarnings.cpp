#include <QAction>

#include "DriveWarnings.h"
#include "MainForm.h"
#include "WarningTexts.h"

void TFrmMain::AttachWarnings(TDriveWarnings* warnings) {
    warnings_ = warnings;
    connect(warnings_, &TDriveWarnings::MuteRequested, this, &TFrmMain::MuteDrive);
    connect(warnings_, &TDriveWarnings::SpaceRequested, this, &TFrmMain::OpenSpaceWindow);
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

QString TFrmMain::ForecastToolTip(const DriveRecord& record) const {
    if (!warnings_) return {};
    const auto fullIn = warnings_->FullInSeconds(record);
    return fullIn ? FullInText(*fullIn) : QString();
}
