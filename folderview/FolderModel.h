#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "Growth.h"
#include "HistoryStore.h"
#include "Snapshot.h"
#include "Unexplained.h"

// What the space window shows of a drive's snapshot: the folders one level at a time, biggest
// first, each with its change against an earlier snapshot. Pure: snapshots in, rows out.
namespace folderview {

enum class RowKind {
    folder,
    other,        // the shown folder's own files and the folders under the snapshot's line
    unexplained,  // the drive's used space that no folder holds
};

struct FolderRow {
    RowKind kind = RowKind::folder;
    std::string name;        // empty but for folders
    std::string path;        // drive-relative; for an "other" row its folder's, for unexplained ""
    bool enterable = false;  // the snapshot holds entries beneath it
    std::uint64_t allocatedBytes = 0;
    std::uint64_t files = 0;
    double share = 0;  // of the shown folder's allocated bytes, 0 to 1
    // None without an earlier snapshot to compare with.
    std::optional<std::int64_t> changeBytes;
    std::optional<double> bytesPerDay;  // also none when both snapshots have the same time
};

// A snapshot's folders with their paths and children, built once per snapshot.
class FolderTree {
public:
    explicit FolderTree(history::Snapshot snapshot);

    const history::Snapshot& Snapshot() const { return snapshot_; }
    // The folder at a drive-relative path; none when the snapshot does not hold it.
    std::optional<std::size_t> Find(const std::string& path) const;
    const std::string& PathOf(std::size_t folder) const { return paths_[folder]; }
    const std::vector<std::size_t>& ChildrenOf(std::size_t folder) const {
        return children_[folder];
    }

private:
    history::Snapshot snapshot_;
    std::vector<std::string> paths_;
    std::vector<std::vector<std::size_t>> children_;
    std::map<std::string, std::size_t> byPath_;
};

// Each folder's change, looked up by its path and whether it is an "other" entry.
class Changes {
public:
    explicit Changes(history::Growth growth);

    std::int64_t From() const { return growth_.from; }
    const history::FolderChange* Find(const std::string& path, bool other) const;
    // What a row that GrowthBetween left out (it did not change) gets per day.
    std::optional<double> UnchangedRate() const;

private:
    history::Growth growth_;
    std::map<std::pair<std::string, bool>, std::size_t> index_;
};

// The rows of `folder` (an index into the tree's snapshot), biggest first; ties by name so
// that the order is the same every time. Without `changes` no row has a change.
std::vector<FolderRow> RowsOf(const FolderTree& tree, std::size_t folder, const Changes* changes);

// The unexplained space as a row among `rows` of the drive's top folder, in its place by size,
// when it exceeds 1 % of the drive's `driveBytes`; the rows stay as they are otherwise.
void AddUnexplained(std::vector<FolderRow>& rows, const space::Unexplained& unexplained,
                    std::uint64_t driveBytes);

// The newest snapshot of the whole drive among `entries`; none when there is none.
std::optional<std::size_t> NewestWhole(const std::vector<history::SnapshotEntry>& entries);

// The whole-drive snapshot to compare one taken at `shownTime` with: the newest at least
// `seconds` older, or else the oldest one older at all; none when no snapshot is older.
std::optional<std::size_t> EarlierWhole(const std::vector<history::SnapshotEntry>& entries,
                                        std::int64_t shownTime, std::int64_t seconds);

// The largest files of the snapshot that lie within `folder`, largest first; an empty file
// takes no space and is none of them.
std::vector<scan::File> FilesWithin(const history::Snapshot& snapshot, const std::string& folder);

// The folder above `path` ("" above a top folder and above "").
std::string ParentPath(const std::string& path);

}  // namespace folderview
