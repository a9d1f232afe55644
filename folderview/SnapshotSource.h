#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "HistoryStore.h"
#include "SpaceScan.h"

namespace folderview {

// The history's snapshots as the space window reads and keeps them. Tests hand in their own.
struct SnapshotSource {
    // The drive's snapshots, oldest first; nullopt when the history cannot be read.
    std::function<std::optional<std::vector<history::SnapshotEntry>>(const history::DriveKey&)>
        list;
    // One of them whole; nullopt when it cannot be read (or was pruned meanwhile).
    std::function<std::optional<history::Snapshot>(std::int64_t id)> load;
    SnapshotRecorder record;
};

// The history file: read through one connection opened at the first question (a file never
// written holds no snapshots), written through a connection of each recording's own, on the
// scan's thread. Without a file nothing is read and a recording says why it kept nothing.
SnapshotSource StoreSnapshotSource(std::optional<std::string> historyFile);

}  // namespace folderview
