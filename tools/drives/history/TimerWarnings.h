#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "DriveReport.h"
#include "HistoryStore.h"
#include "WarningRules.h"

// What a recording on the timer adds for the user while the window may be closed: the
// window's warnings, when its settings have them on, through the desktop's notification
// server on the session bus. What was warned is shared with the window through the history
// file, so a crossing is warned once whichever of them sees it first. Trouble is one line on
// stderr; the recording stands and the exit code stays as it was.
namespace drives {

// One drive weighed against its history, the way the window's forecasts weigh it; `reading`
// is not muted yet, as only the window's settings say that.
struct WeighedDrive {
    history::DriveKey key;
    warnings::DriveReading reading;
    std::optional<std::int64_t> fullInSeconds;
};

std::optional<WeighedDrive> Weigh(history::Store& store, const DriveRecord& record,
                                  std::int64_t now, const warnings::WarningRules& rules);

// The history helper's part, without Qt: true when a drive would be warned about if the
// warnings are on and it is not muted, which only then costs the notifier's start. What
// changes without a notice (a drive that recovered) is remembered here.
bool NoticesMayBeDue(history::Store& store, const std::vector<DriveRecord>& drives,
                     std::int64_t now);

// The notifier's part: the window's settings, texts and the bus.
void WarnAfterRecording(history::Store& store, const std::vector<DriveRecord>& drives,
                        std::int64_t now);

// Runs the notifier program for the drives as they are now; false with one line on stderr
// when it cannot be run.
bool RunNotifier();

}  // namespace drives
