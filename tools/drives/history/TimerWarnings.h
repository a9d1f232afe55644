#pragma once

#include <cstdint>
#include <vector>

#include "DriveReport.h"
#include "HistoryStore.h"

namespace drives {

// What a recording on the timer adds for the user while the window may be closed: the
// window's warnings, when its settings have them on, through the desktop's notification
// server on the session bus. What was warned is shared with the window through `store`, so a
// crossing is warned once whichever of them sees it first. Trouble is one line on stderr; the
// recording stands and the exit code stays as it was.
void WarnAfterRecording(history::Store& store, const std::vector<DriveRecord>& drives,
                        std::int64_t now);

}  // namespace drives
