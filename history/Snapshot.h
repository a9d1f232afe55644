#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "ScanTypes.h"

// A drive's folder sizes at one moment, as the history keeps them: the folders that hold a
// visible share of the drive, not every name, so a million-file drive fits in a few pages.
// Pure: a scan in, records out.
namespace history {

struct SnapshotFolder {
    std::uint32_t parent = 0;  // index into Snapshot::folders; the root is its own parent
    std::string name;          // empty for the scanned folder and for an "other" entry
    // The rest of the parent: its own files and the folders under the line, folded together.
    bool other = false;
    std::uint64_t allocatedBytes = 0;
    std::uint64_t apparentBytes = 0;
    std::uint64_t files = 0;
};

struct Snapshot {
    std::int64_t time = 0;
    // The scanned folder, relative to the drive's mount point: empty for the whole drive,
    // otherwise '/'-separated with no leading or trailing '/'.
    std::string root;
    std::vector<SnapshotFolder> folders;   // [0] is the scanned folder; parents come first
    std::vector<scan::File> biggestFiles;  // paths relative to the drive's mount point
};

// The folders of `scan` that hold at least `lineBytes` allocated, with all their parents,
// each kept folder's remainder as one "other" entry, and the largest files. `root` is the
// scanned folder relative to the drive (see Snapshot::root).
Snapshot SnapshotOf(const scan::ScanResult& scan, const std::string& root, std::uint64_t lineBytes,
                    std::int64_t time);

// The line for a drive with `usedBytes` in use: 0.1 % of it, so at most a thousand folders
// side by side ever reach it.
std::uint64_t SnapshotLine(std::uint64_t usedBytes);

// Each folder's path relative to the drive's mount point, in the order of `folders`; an
// "other" entry has its parent's path.
std::vector<std::string> FolderPaths(const Snapshot& snapshot);

// "a/b" joined under "root"; either may be empty.
std::string JoinPath(const std::string& root, const std::string& relative);

// Whether `path` is `folder` or lies beneath it (drive-relative paths, "" is the drive).
bool IsWithin(const std::string& path, const std::string& folder);

struct SnapshotRule {
    // Every snapshot of the last day is kept, so two recordings an hour apart can be compared...
    std::chrono::seconds allKept = std::chrono::hours(24);
    // ...then the newest of each day for two weeks, the newest of each week for a year.
    std::chrono::seconds dailyKept = std::chrono::hours(24 * 14);
    std::chrono::seconds weeklyKept = std::chrono::hours(24 * 365);
};

// Which of a drive's snapshots, given by their times, the rule drops at `now`: indexes into
// `times`. A snapshot from the future (the clock was set back) is kept.
std::vector<std::size_t> SnapshotsToDrop(const std::vector<std::int64_t>& times, std::int64_t now,
                                         const SnapshotRule& rule = {});

}  // namespace history
