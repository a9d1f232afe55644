#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Snapshot.h"

// What grew on a drive, from its snapshots. Pure: snapshots in, changes out.
namespace history {

enum class FolderStatus { changed, added, vanished };

struct FolderChange {
    std::string path;    // relative to the drive's mount point
    bool other = false;  // the rest of the folder at `path`, see SnapshotFolder::other
    // `added`: not in the earlier snapshot, or under its line; `vanished`: the reverse. The
    // missing side counts as 0.
    FolderStatus status = FolderStatus::changed;
    std::uint64_t beforeBytes = 0;  // allocated
    std::uint64_t afterBytes = 0;
    std::int64_t changeBytes = 0;
    std::optional<double> bytesPerDay;  // none when both snapshots have the same time
};

struct Growth {
    std::int64_t from = 0;
    std::int64_t to = 0;
    std::vector<FolderChange>
        folders;  // largest change (either way) first; unchanged ones left out
};

// The change of every folder within `under` (drive-relative, "" for the whole drive) from
// `before` to `after`. A folder outside either snapshot's scanned folder is left out: not
// being scanned is not vanishing.
Growth GrowthBetween(const Snapshot& before, const Snapshot& after, const std::string& under = {});

struct FolderRate {
    std::string path;
    bool other = false;
    double bytesPerDay = 0;
    // This rate against the drive's forecast trend: 0.5 is half the growth the forecast sees.
    std::optional<double> shareOfTrend;
};

struct Rates {
    std::size_t snapshots = 0;
    std::optional<double> trendBytesPerDay;  // the drive's forecast trend, when it has one
    std::vector<FolderRate> folders;         // largest rate (either way) first
};

struct RateRule {
    std::size_t fewest = 3;
    std::int64_t shortestSeconds = 2 * 24 * 3600;
};

// Each folder's growth per day within `under`, by least squares over the snapshots that hold
// it; `snapshots` oldest first. None when they are too few or span too short a time; a folder
// seen in too few of them is left out.
std::optional<Rates> RatesOf(const std::vector<Snapshot>& snapshots, const std::string& under,
                             std::optional<double> trendBytesPerDay, const RateRule& rule = {});

}  // namespace history
