#include "DriveSamples.h"
#include "MainForm.h"
#include "Recorder.h"

// The tick's snapshot; the recorder writes it on its own thread.
void TFrmMain::RecordUsageIfDue() {
    if (!recorder_ || !recorder_->Due()) return;
    recorder_->Submit(history::SamplesOf(snapshot_.Drives));
}
