#include <algorithm>

#include "DriveSamples.h"
#include "MainForm.h"
#include "OwnerDrawList.h"
#include "SpaceForm.h"
#include "WarningTexts.h"

// Made at its first use, like the history window.
void TFrmMain::OpenSpaceWindow(const QString& driveId) {
    if (!snapshotSource_.list || !historyClock_) return;
    const auto found =
        std::find_if(snapshot_.Drives.begin(), snapshot_.Drives.end(),
                     [&](const DriveRecord& record) { return DriveIdOf(record) == driveId; });
    if (found == snapshot_.Drives.end() || !found->MountPoint) return;
    if (!frmSpace_)
        frmSpace_ =
            new TFrmSpace(this, snapshotSource_, historyClock_, DiskUtils::CurrentDisplayOptions());
    frmSpace_->ShowDrive(DriveNameOf(*found), history::SampleOf(*found));
    frmSpace_->show();
    frmSpace_->raise();
    frmSpace_->activateWindow();
}

void TFrmMain::Whattakesspace1Click() {
    if (const DriveRecord* record = SnapshotRecord(ListBox1->ItemIndex()))
        OpenSpaceWindow(DriveIdOf(*record));
}

void TFrmMain::RefreshSpaceWindow() {
    if (frmSpace_ && frmSpace_->isVisible())
        frmSpace_->SetDisplayOptions(DiskUtils::CurrentDisplayOptions());
}
