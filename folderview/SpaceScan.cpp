#include "SpaceScan.h"

#include <algorithm>
#include <variant>

namespace folderview {

SpaceScan::SpaceScan(history::DriveSample drive, SnapshotRecorder record, Clock clock)
    : drive_(std::move(drive)), record_(std::move(record)), clock_(std::move(clock)) {
    thread_ = std::thread([this] { Run(); });
}

SpaceScan::~SpaceScan() {
    progress_.Cancel();
    if (thread_.joinable()) thread_.join();
}

ScanOutcome SpaceScan::TakeOutcome() {
    if (thread_.joinable()) thread_.join();
    return std::move(outcome_);
}

void SpaceScan::Run() {
    const std::string& root = drive_.key.mountPoint;
    auto scanned = scan::ScanFolder(root, scan::ScanOptions{}, progress_);
    if (const auto* error = std::get_if<scan::ScanError>(&scanned)) {
        outcome_.scanError = error->message;
    } else if (auto& result = std::get<scan::ScanResult>(scanned); result.cancelled) {
        outcome_.cancelled = true;
    } else {
        const std::int64_t now = clock_();
        const auto figures = space::FiguresOf(root);
        const std::uint64_t scanned = result.folders.front().total.allocatedBytes;
        // The line of the tool's recordings: 0.1 % of the drive's used space as listed.
        const auto used = static_cast<std::uint64_t>(
            std::max<std::int64_t>(drive_.totalBytes - drive_.freeBytes, 0));
        outcome_.snapshot = history::SnapshotOf(result, "", history::SnapshotLine(used), now);
        if (figures)
            outcome_.unexplained =
                space::Account(*figures, scanned, space::DeletedOpenFilesOn(root));
        if (record_) outcome_.recordError = record_(drive_, *outcome_.snapshot, now);
    }
    done_.store(true, std::memory_order_release);
}

}  // namespace folderview
