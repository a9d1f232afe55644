#include <algorithm>

#include "DriveSamples.h"
#include "HistoryForm.h"
#include "MainForm.h"
#include "OwnerDrawList.h"
#include "WarningTexts.h"

void TFrmMain::AttachHistory(history::BackgroundRecorder* recorder, HistorySource source,
                             std::function<std::int64_t()> clock) {
    recorder_ = recorder;
    historySource_ = std::move(source);
    historyClock_ = std::move(clock);
}

// Made at its first use: neither the window nor the history file costs the start anything.
void TFrmMain::Drivehistory1Click() {
    const int index = ListBox1->ItemIndex();
    if (index < kFirstDriveRow) return;
    const DriveRecord* record = SnapshotRecord(index);
    if (!record || !historySource_) return;
    if (!frmHistory_)
        frmHistory_ = new TFrmHistory(this, historySource_, historyClock_,
                                      DiskUtils::CurrentDisplayOptions());
    frmHistory_->ShowDrive(DriveNameOf(*record), history::KeyOf(*record));
    frmHistory_->show();
    frmHistory_->raise();
    frmHistory_->activateWindow();
}

void TFrmMain::RefreshHistoryWindow() {
    if (!frmHistory_ || !frmHistory_->isVisible()) return;
    frmHistory_->SetDisplayOptions(DiskUtils::CurrentDisplayOptions());
    const history::DriveKey& shown = frmHistory_->Drive();
    frmHistory_->SetPresent(
        std::any_of(snapshot_.Drives.begin(), snapshot_.Drives.end(), [&](const DriveRecord& d) {
            const history::DriveKey key = history::KeyOf(d);
            return key.serial == shown.serial && key.mountPoint == shown.mountPoint;
        }));
}
