#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "HistoryStore.h"

// What a drive's notice says grew: the two snapshots of the whole drive it compares, and the
// one folder it names. Pure but for the reading of the history.
namespace warnings {

// A daily timer's snapshots drift by its random delay, so "a day older" allows some hours.
inline constexpr std::chrono::seconds kCompareApart = std::chrono::hours(20);

// Indexes into `entries` (oldest first): the newest whole-drive snapshot, and the newest one
// at least `apart` older than it, else the one just before it. None with fewer than two.
std::optional<std::pair<std::size_t, std::size_t>> SnapshotsToCompare(
    const std::vector<history::SnapshotEntry>& entries, std::chrono::seconds apart = kCompareApart);

struct ComparedSnapshots {
    history::Snapshot before;
    history::Snapshot after;
};

// The pair SnapshotsToCompare picks, read from `store`; none for a drive without two.
history::Result<std::optional<ComparedSnapshots>> LoadComparedSnapshots(
    history::Store& store, const history::DriveKey& key);

struct GrownFolder {
    std::string path;  // drive-relative, "" for the drive itself
    std::int64_t changeBytes = 0;
};

// The deepest folder that holds more than half of the largest growth of a folder between the
// two, so a notice names the folder to look into rather than the drive that holds everything.
// The remainders of folders ("other") are not folders and count for nothing. None when no
// folder grew.
std::optional<GrownFolder> GrewMost(const history::Snapshot& before,
                                    const history::Snapshot& after);

}  // namespace warnings
