#include "GrewMost.h"

#include <algorithm>
#include <tuple>

#include "Growth.h"

namespace warnings {
namespace {

std::size_t DepthOf(const std::string& path) {
    if (path.empty()) return 0;
    return static_cast<std::size_t>(std::count(path.begin(), path.end(), '/')) + 1;
}

}  // namespace

std::optional<std::pair<std::size_t, std::size_t>> SnapshotsToCompare(
    const std::vector<history::SnapshotEntry>& entries, std::chrono::seconds apart) {
    std::vector<std::size_t> whole;
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (entries[i].root.empty()) whole.push_back(i);
    if (whole.size() < 2) return std::nullopt;
    const std::size_t to = whole.back();
    std::size_t from = whole[whole.size() - 2];
    for (std::size_t i = 0; i + 1 < whole.size(); ++i)
        if (entries[whole[i]].time <= entries[to].time - apart.count()) from = whole[i];
    return std::pair{from, to};
}

history::Result<std::optional<ComparedSnapshots>> LoadComparedSnapshots(
    history::Store& store, const history::DriveKey& key) {
    auto listed = store.Snapshots(key);
    if (auto* error = std::get_if<history::HistoryError>(&listed)) return *error;
    const auto& entries = std::get<std::vector<history::SnapshotEntry>>(listed);
    const auto pair = SnapshotsToCompare(entries);
    if (!pair) return std::nullopt;
    auto before = store.LoadSnapshot(entries[pair->first].id);
    if (auto* error = std::get_if<history::HistoryError>(&before)) return *error;
    auto after = store.LoadSnapshot(entries[pair->second].id);
    if (auto* error = std::get_if<history::HistoryError>(&after)) return *error;
    return ComparedSnapshots{std::move(std::get<history::Snapshot>(before)),
                             std::move(std::get<history::Snapshot>(after))};
}

std::optional<GrownFolder> GrewMost(const history::Snapshot& before,
                                    const history::Snapshot& after) {
    const history::Growth growth = history::GrowthBetween(before, after);
    std::int64_t largest = 0;
    for (const history::FolderChange& folder : growth.folders)
        if (!folder.other) largest = std::max(largest, folder.changeBytes);
    if (largest <= 0) return std::nullopt;
    const history::FolderChange* named = nullptr;
    for (const history::FolderChange& folder : growth.folders) {
        if (folder.other || folder.changeBytes <= largest / 2) continue;
        if (!named || std::tuple(DepthOf(folder.path), folder.changeBytes) >
                          std::tuple(DepthOf(named->path), named->changeBytes))
            named = &folder;
    }
    return GrownFolder{named->path, named->changeBytes};
}

}  // namespace warnings
