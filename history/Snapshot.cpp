#include "Snapshot.h"

#include <map>
#include <utility>

namespace history {
namespace {

constexpr std::int64_t kDay = 24 * 3600;
constexpr std::int64_t kWeek = 7 * kDay;
// 1970-01-01 was a Thursday: weeks run Monday to Sunday, as a calendar shows them.
constexpr std::int64_t kMondayShift = 3 * kDay;

std::uint64_t Less(std::uint64_t a, std::uint64_t b) {
    return a > b ? a - b : 0;
}

// Floor division, so that days and weeks before 1970 still fall in one bucket each.
std::int64_t BucketOf(std::int64_t time, std::int64_t length) {
    return time >= 0 ? time / length : -((-time + length - 1) / length);
}

// Which folders the snapshot keeps: those on or above the line, then every parent of one.
std::vector<bool> KeptFolders(const std::vector<scan::Folder>& folders, std::uint64_t line) {
    std::vector<bool> kept(folders.size(), false);
    for (std::size_t i = 0; i < folders.size(); ++i)
        kept[i] = i == 0 || folders[i].total.allocatedBytes >= line;
    for (std::size_t i = folders.size(); i-- > 1;)
        if (kept[i] && folders[i].parent < i) kept[folders[i].parent] = true;
    return kept;
}

}  // namespace

std::uint64_t SnapshotLine(std::uint64_t usedBytes) {
    return usedBytes / 1000;
}

std::string JoinPath(const std::string& root, const std::string& relative) {
    if (root.empty()) return relative;
    if (relative.empty()) return root;
    return root + "/" + relative;
}

bool IsWithin(const std::string& path, const std::string& folder) {
    if (folder.empty() || path == folder) return true;
    return path.size() > folder.size() && path.starts_with(folder) && path[folder.size()] == '/';
}

Snapshot SnapshotOf(const scan::ScanResult& scan, const std::string& root, std::uint64_t lineBytes,
                    std::int64_t time) {
    Snapshot snapshot{time, root, {}, {}};
    const std::vector<bool> kept = KeptFolders(scan.folders, lineBytes);
    // New index of each kept folder, and what its kept children hold between them.
    std::vector<std::uint32_t> index(scan.folders.size(), 0);
    std::vector<scan::Totals> children(scan.folders.size());
    for (std::size_t i = 0; i < scan.folders.size(); ++i) {
        if (!kept[i]) continue;
        const scan::Folder& folder = scan.folders[i];
        const std::size_t parent = i == 0 ? 0 : folder.parent;
        index[i] = static_cast<std::uint32_t>(snapshot.folders.size());
        snapshot.folders.push_back({index[parent], i == 0 ? std::string() : folder.name, false,
                                    folder.total.allocatedBytes, folder.total.apparentBytes,
                                    folder.total.files});
        if (i == 0) continue;
        children[parent].allocatedBytes += folder.total.allocatedBytes;
        children[parent].apparentBytes += folder.total.apparentBytes;
        children[parent].files += folder.total.files;
        ++children[parent].folders;
    }
    // A folder with nothing kept beneath it is all "other" already: no entry repeats it.
    for (std::size_t i = 0; i < scan.folders.size(); ++i) {
        if (!kept[i] || children[i].folders == 0) continue;
        const scan::Totals& total = scan.folders[i].total;
        const SnapshotFolder rest{index[i],
                                  {},
                                  true,
                                  Less(total.allocatedBytes, children[i].allocatedBytes),
                                  Less(total.apparentBytes, children[i].apparentBytes),
                                  Less(total.files, children[i].files)};
        if (rest.allocatedBytes || rest.apparentBytes || rest.files)
            snapshot.folders.push_back(rest);
    }
    for (const scan::File& file : scan.biggestFiles)
        snapshot.biggestFiles.push_back(
            {JoinPath(root, file.path), file.allocatedBytes, file.apparentBytes});
    return snapshot;
}

std::vector<std::string> FolderPaths(const Snapshot& snapshot) {
    std::vector<std::string> paths;
    paths.reserve(snapshot.folders.size());
    for (std::size_t i = 0; i < snapshot.folders.size(); ++i) {
        const SnapshotFolder& folder = snapshot.folders[i];
        if (i == 0 || folder.parent >= i)
            paths.push_back(snapshot.root);
        else if (folder.other)
            paths.push_back(paths[folder.parent]);
        else
            paths.push_back(JoinPath(paths[folder.parent], folder.name));
    }
    return paths;
}

std::vector<std::size_t> SnapshotsToDrop(const std::vector<std::int64_t>& times, std::int64_t now,
                                         const SnapshotRule& rule) {
    enum class Zone { kept, daily, weekly, dropped };
    const auto zoneOf = [&](std::int64_t time) {
        const std::int64_t age = now - time;
        if (age < rule.allKept.count()) return Zone::kept;
        if (age < rule.dailyKept.count()) return Zone::daily;
        if (age < rule.weeklyKept.count()) return Zone::weekly;
        return Zone::dropped;
    };
    const auto bucketOf = [](Zone zone, std::int64_t time) {
        return zone == Zone::daily ? BucketOf(time, kDay) : BucketOf(time + kMondayShift, kWeek);
    };
    // The newest snapshot of each day (or week) of its zone stands for the others.
    std::map<std::pair<Zone, std::int64_t>, std::size_t> newest;
    for (std::size_t i = 0; i < times.size(); ++i) {
        const Zone zone = zoneOf(times[i]);
        if (zone != Zone::daily && zone != Zone::weekly) continue;
        const auto [at, fresh] = newest.try_emplace({zone, bucketOf(zone, times[i])}, i);
        if (!fresh && times[i] >= times[at->second]) at->second = i;
    }
    std::vector<std::size_t> dropped;
    for (std::size_t i = 0; i < times.size(); ++i) {
        const Zone zone = zoneOf(times[i]);
        if (zone == Zone::kept) continue;
        if (zone == Zone::dropped || newest.at({zone, bucketOf(zone, times[i])}) != i)
            dropped.push_back(i);
    }
    return dropped;
}

}  // namespace history
