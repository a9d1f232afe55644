#include "DriveSamples.h"
#include "MainForm.h"
#include "Recorder.h"

// One scan as the tool makes it, the same cost as a repaint of every row; the recorder writes
// it on its own thread.
void TFrmMain::RecordUsageIfDue() {
    if (!recorder_ || !recorder_->Due()) return;
    recorder_->Submit(history::SamplesOf(ScanDrives()));
}
