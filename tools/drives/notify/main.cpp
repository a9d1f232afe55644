#include "DiskUtils.h"
#include "DriveReport.h"
#include "HistoryPath.h"
#include "Output.h"
#include "TimerWarnings.h"

// The timer's notices, run by vollmark-drives --record only when a drive may deserve one, so
// that a recording without one never loads Qt. It reads the drives and the history afresh:
// the decisions are made against the memory the file shares with the window.
int main() {
    platform::installLayer(platform::createSystemLayer());
    DiskUtils::LoadNumberSeparators();
    const auto path = history::DefaultHistoryFile(history::ProcessEnvironment);
    if (!path) return drives::Fail("cannot show a notification: no state folder", 0);
    auto opened = history::Store::Open(*path, false);
    if (auto* error = std::get_if<history::HistoryError>(&opened))
        return drives::Fail("cannot show a notification: " + error->message, 0);
    drives::WarnAfterRecording(*std::get<std::unique_ptr<history::Store>>(opened),
                               ScanDrives().Drives, history::SystemNow());
    return 0;
}
