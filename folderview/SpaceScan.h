#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <thread>

#include "HistoryStore.h"
#include "Scanner.h"
#include "Snapshot.h"
#include "Unexplained.h"

namespace folderview {

// Keeps a snapshot in the history; the error's text when it cannot. Called on the scan's own
// thread, so it must not share a connection with the window's thread.
using SnapshotRecorder = std::function<std::optional<std::string>(
    const history::DriveSample& drive, const history::Snapshot& snapshot, std::int64_t now)>;

struct ScanOutcome {
    bool cancelled = false;
    std::optional<std::string> scanError;
    // A whole scan: the drive's snapshot, and what no folder explains when the file system
    // told its figures.
    std::optional<history::Snapshot> snapshot;
    std::optional<space::Unexplained> unexplained;
    std::optional<std::string> recordError;
};

// One scan of a whole drive on a thread of its own: the scan, its snapshot and unexplained
// space, and the recording, so that nothing of it waits on the window's thread. The window
// polls Done() and Progress(); a cancelled scan records nothing.
class SpaceScan {
public:
    using Clock = std::function<std::int64_t()>;

    SpaceScan(history::DriveSample drive, SnapshotRecorder record, Clock clock);
    // Cancels and waits for the thread: the scan stops within one listing batch.
    ~SpaceScan();
    SpaceScan(const SpaceScan&) = delete;
    SpaceScan& operator=(const SpaceScan&) = delete;

    const scan::ScanProgress& Progress() const { return progress_; }
    void Cancel() { progress_.Cancel(); }
    bool Done() const { return done_.load(std::memory_order_acquire); }
    // Once Done(): what the scan came to.
    ScanOutcome TakeOutcome();

private:
    void Run();

    history::DriveSample drive_;
    SnapshotRecorder record_;
    Clock clock_;
    scan::ScanProgress progress_;
    ScanOutcome outcome_;
    std::atomic<bool> done_{false};
    std::thread thread_;
};

}  // namespace folderview
