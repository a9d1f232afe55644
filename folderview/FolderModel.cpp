#include "FolderModel.h"

#include <algorithm>
#include <tuple>

namespace folderview {
namespace {

bool Bigger(const FolderRow& a, const FolderRow& b) {
    // "Other" after a folder of the same size, the unexplained space after both.
    return std::tuple(b.allocatedBytes, a.kind, a.name) <
           std::tuple(a.allocatedBytes, b.kind, b.name);
}

std::int64_t Signed(std::uint64_t bytes) {
    return static_cast<std::int64_t>(std::min<std::uint64_t>(bytes, INT64_MAX));
}

void ShareOut(std::vector<FolderRow>& rows, std::uint64_t whole) {
    for (FolderRow& row : rows)
        row.share = whole == 0 ? 0.0
                               : std::min(1.0, static_cast<double>(row.allocatedBytes) /
                                                   static_cast<double>(whole));
}

}  // namespace

FolderTree::FolderTree(history::Snapshot snapshot)
    : snapshot_(std::move(snapshot)),
      paths_(history::FolderPaths(snapshot_)),
      children_(snapshot_.folders.size()) {
    for (std::size_t i = 1; i < snapshot_.folders.size(); ++i) {
        const std::size_t parent = snapshot_.folders[i].parent;
        // A damaged snapshot could name a later folder, or itself, as parent: such a folder
        // would be its own ancestor, and is left out rather than walked round in circles.
        if (parent >= i) continue;
        children_[parent].push_back(i);
        if (!snapshot_.folders[i].other) byPath_.emplace(paths_[i], i);
    }
    if (!snapshot_.folders.empty()) byPath_.emplace(paths_[0], 0);
}

std::optional<std::size_t> FolderTree::Find(const std::string& path) const {
    const auto found = byPath_.find(path);
    if (found == byPath_.end()) return std::nullopt;
    return found->second;
}

Changes::Changes(history::Growth growth) : growth_(std::move(growth)) {
    for (std::size_t i = 0; i < growth_.folders.size(); ++i)
        index_.emplace(std::pair(growth_.folders[i].path, growth_.folders[i].other), i);
}

const history::FolderChange* Changes::Find(const std::string& path, bool other) const {
    const auto found = index_.find(std::pair(path, other));
    return found == index_.end() ? nullptr : &growth_.folders[found->second];
}

std::optional<double> Changes::UnchangedRate() const {
    if (growth_.to == growth_.from) return std::nullopt;
    return 0.0;
}

std::vector<FolderRow> RowsOf(const FolderTree& tree, std::size_t folder, const Changes* changes) {
    const auto& folders = tree.Snapshot().folders;
    std::vector<FolderRow> rows;
    if (folder >= folders.size()) return rows;
    for (const std::size_t child : tree.ChildrenOf(folder)) {
        const history::SnapshotFolder& entry = folders[child];
        // The rest of a folder whose subfolders hold all of it is no row.
        if (entry.other && entry.allocatedBytes == 0 && entry.files == 0) continue;
        FolderRow row;
        row.kind = entry.other ? RowKind::other : RowKind::folder;
        row.name = entry.other ? std::string() : entry.name;
        row.path = tree.PathOf(child);
        row.enterable = !entry.other && !tree.ChildrenOf(child).empty();
        row.allocatedBytes = entry.allocatedBytes;
        row.files = entry.files;
        if (changes) {
            const history::FolderChange* change = changes->Find(row.path, entry.other);
            row.changeBytes = change ? change->changeBytes : 0;
            row.bytesPerDay = change ? change->bytesPerDay : changes->UnchangedRate();
        }
        rows.push_back(std::move(row));
    }
    std::sort(rows.begin(), rows.end(), Bigger);
    ShareOut(rows, folders[folder].allocatedBytes);
    return rows;
}

void AddUnexplained(std::vector<FolderRow>& rows, const space::Unexplained& unexplained,
                    std::uint64_t driveBytes) {
    const std::int64_t bytes = Signed(unexplained.usedBytes) - Signed(unexplained.scannedBytes);
    if (bytes <= 0 || static_cast<std::uint64_t>(bytes) * 100 <= driveBytes) return;
    FolderRow row;
    row.kind = RowKind::unexplained;
    row.allocatedBytes = static_cast<std::uint64_t>(bytes);
    rows.insert(std::upper_bound(rows.begin(), rows.end(), row, Bigger), row);
    // Beside the folders it is a share of the used space, of which the folders hold the rest.
    ShareOut(rows, unexplained.usedBytes);
}

std::optional<std::size_t> NewestWhole(const std::vector<history::SnapshotEntry>& entries) {
    std::optional<std::size_t> newest;
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (entries[i].root.empty() && (!newest || entries[i].time >= entries[*newest].time))
            newest = i;
    return newest;
}

std::optional<std::size_t> EarlierWhole(const std::vector<history::SnapshotEntry>& entries,
                                        std::int64_t shownTime, std::int64_t seconds) {
    std::optional<std::size_t> newestOldEnough;
    std::optional<std::size_t> oldest;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const history::SnapshotEntry& entry = entries[i];
        if (!entry.root.empty() || entry.time >= shownTime) continue;
        if (!oldest || entry.time < entries[*oldest].time) oldest = i;
        if (entry.time <= shownTime - seconds &&
            (!newestOldEnough || entry.time > entries[*newestOldEnough].time))
            newestOldEnough = i;
    }
    return newestOldEnough ? newestOldEnough : oldest;
}

std::vector<scan::File> FilesWithin(const history::Snapshot& snapshot, const std::string& folder) {
    std::vector<scan::File> files;
    for (const scan::File& file : snapshot.biggestFiles)
        if (history::IsWithin(file.path, folder) && file.path != folder && file.allocatedBytes > 0)
            files.push_back(file);
    std::stable_sort(files.begin(), files.end(), [](const scan::File& a, const scan::File& b) {
        return a.allocatedBytes > b.allocatedBytes;
    });
    return files;
}

std::string ParentPath(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}  // namespace folderview
