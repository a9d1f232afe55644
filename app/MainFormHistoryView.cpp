#include <QDateTime>

#include "DriveSamples.h"
#include "HistoryForm.h"
#include "HistoryPath.h"
#include "MainForm.h"
#include "OwnerDrawList.h"
#include "StoreHistorySource.h"
#include "WarningTexts.h"

// Made at its first use: neither the window nor the history file costs the start anything.
void TFrmMain::Drivehistory1Click() {
    const int index = ListBox1->ItemIndex();
    if (index < kFirstDriveRow) return;
    const std::string& entry = model_.Entries()[static_cast<std::size_t>(index)];
    const platform::ScanScope scan;
    DiskUtils::TDisk probe;
    probe.SetDriveIndex(DiskUtils::DriveLetterToIndex(entry.front()));
    if (!probe.Present) return;
    const DriveRecord record = RecordOfRow(probe, ShownDriveRow(probe));
    if (!frmHistory_)
        frmHistory_ = new TFrmHistory(
            this, StoreHistorySource(history::DefaultHistoryFile(history::ProcessEnvironment)),
            &QDateTime::currentSecsSinceEpoch);
    frmHistory_->ShowDrive(DriveNameOf(record), history::KeyOf(record));
    frmHistory_->show();
    frmHistory_->raise();
    frmHistory_->activateWindow();
}

void TFrmMain::RefreshHistoryWindow() {
    if (!frmHistory_ || !frmHistory_->isVisible()) return;
    const platform::ScanScope scan;
    DiskUtils::TDisk probe;
    bool present = false;
    for (const std::string& entry : model_.Entries()) {
        if (RowKindOf(entry) != RowKind::Drive) continue;
        probe.SetDriveIndex(DiskUtils::DriveLetterToIndex(entry.front()));
        if (!probe.Present) continue;
        const history::DriveKey key = history::KeyOf(RecordOfRow(probe, ShownDriveRow(probe)));
        present = present || (key.serial == frmHistory_->Drive().serial &&
                              key.mountPoint == frmHistory_->Drive().mountPoint);
    }
    frmHistory_->SetPresent(present);
}
