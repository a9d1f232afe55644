#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>

#include "GrewMost.h"
#include "HistoryStore.h"
#include "Snapshot.h"
#include "TempDir.h"

// A million-file drive as a scan sees it: 50,000 folders in a tree up to eight deep, file sizes
// spread over six orders of magnitude. What one snapshot of it takes in the history, and what
// choosing and storing it cost beside the scan, and what a notice's line on what grew costs.
namespace {

using namespace history;

constexpr std::size_t kFolders = 50'000;
constexpr std::size_t kFiles = 1'000'000;
constexpr std::int64_t kStart = 1'796'083'200;

scan::ScanResult MillionFiles() {
    std::mt19937_64 random(7);
    scan::ScanResult scan;
    scan.root = "/";
    scan.folders.push_back({"", 0, {}, false});
    std::vector<int> depth = {0};
    std::uniform_int_distribution<int> nameLength(6, 20), letter('a', 'z');
    while (scan.folders.size() < kFolders) {
        auto parent = static_cast<std::uint32_t>(random() % scan.folders.size());
        if (depth[parent] >= 8) continue;
        std::string name(static_cast<std::size_t>(nameLength(random)), 'a');
        for (char& c : name) c = static_cast<char>(letter(random));
        scan.folders.push_back({name, parent, {}, false});
        depth.push_back(depth[parent] + 1);
    }
    std::lognormal_distribution<double> size(9.0, 2.5);  // median 8 KB, a long tail
    std::vector<scan::File> files;
    for (std::size_t i = 0; i < kFiles; ++i) {
        const auto folder = random() % kFolders;
        const auto bytes = static_cast<std::uint64_t>(std::min(size(random), 4e10));
        const std::uint64_t allocated = (bytes + 4095) / 4096 * 4096;
        scan.folders[folder].total.allocatedBytes += allocated;
        scan.folders[folder].total.apparentBytes += bytes;
        ++scan.folders[folder].total.files;
        files.push_back({"f" + std::to_string(i), allocated, bytes});
    }
    for (std::size_t i = kFolders; i-- > 1;) {
        scan::Totals& parent = scan.folders[scan.folders[i].parent].total;
        const scan::Totals& child = scan.folders[i].total;
        parent.allocatedBytes += child.allocatedBytes;
        parent.apparentBytes += child.apparentBytes;
        parent.files += child.files;
        parent.folders += child.folders + 1;
    }
    std::partial_sort(
        files.begin(), files.begin() + 100, files.end(),
        [](const auto& a, const auto& b) { return a.allocatedBytes > b.allocatedBytes; });
    files.resize(100);
    scan.biggestFiles = files;
    return scan;
}

void BM_RecordSnapshot(benchmark::State& state) {
    const scan::ScanResult scan = MillionFiles();
    const std::uint64_t used = scan.folders[0].total.allocatedBytes;
    TempDir folder("vollmark-snapshot-bench");
    const std::string path = (folder / "history.sqlite").string();
    auto opened = Store::Open(path, true);
    auto& store = std::get<std::unique_ptr<Store>>(opened);
    const DriveSample drive{{1, "/"}, 'C', "System", "ext4", 3, 0, 0};
    std::int64_t now = kStart;
    std::size_t rows = 0;
    for (auto _ : state) {
        const Snapshot snapshot = SnapshotOf(scan, "", SnapshotLine(used), now);
        rows = snapshot.folders.size();
        if (store->RecordSnapshot(drive, snapshot, now)) state.SkipWithError("not recorded");
        now += 3600;  // all kept: the last day keeps every one
    }
    store.reset();
    // Closing folds the log into the file, which holds the schema and one drive besides: a few
    // pages, against the snapshots.
    const auto bytes = static_cast<double>(std::filesystem::file_size(path));
    state.counters["folderRows"] = static_cast<double>(rows);
    state.counters["fileBytesPerSnapshot"] = bytes / static_cast<double>(state.iterations());
}
BENCHMARK(BM_RecordSnapshot)->Iterations(20)->Unit(benchmark::kMillisecond);

// A due notice on the forecasts' thread: the two snapshots it compares read from a history of
// two weeks of daily ones, and the folder that grew most between them.
void BM_NoticeGrowth(benchmark::State& state) {
    scan::ScanResult scan = MillionFiles();
    const std::uint64_t used = scan.folders[0].total.allocatedBytes;
    TempDir folder("vollmark-snapshot-bench");
    auto opened = Store::Open((folder / "history.sqlite").string(), true);
    auto& store = std::get<std::unique_ptr<Store>>(opened);
    const DriveSample drive{{1, "/"}, 'C', "System", "ext4", 3, 0, 0};
    std::int64_t now = kStart;
    for (int day = 0; day < 14; ++day, now += 24 * 3600) {
        if (store->RecordSnapshot(drive, SnapshotOf(scan, "", SnapshotLine(used), now), now))
            return state.SkipWithError("not recorded");
        // Each day one deep folder grows by a gigabyte, and all that hold it.
        for (std::size_t i = scan.folders.size() - 1;; i = scan.folders[i].parent) {
            scan.folders[i].total.allocatedBytes += 1'000'000'000;
            if (i == 0) break;
        }
    }
    std::size_t folders = 0;
    for (auto _ : state) {
        auto compared = warnings::LoadComparedSnapshots(*store, drive.key);
        const auto* pair = std::get_if<std::optional<warnings::ComparedSnapshots>>(&compared);
        if (!pair || !*pair) return state.SkipWithError("no snapshots to compare");
        const auto grown = warnings::GrewMost((*pair)->before, (*pair)->after);
        if (!grown) return state.SkipWithError("nothing grew");
        folders = (*pair)->after.folders.size();
    }
    state.counters["folderRows"] = static_cast<double>(folders);
}
BENCHMARK(BM_NoticeGrowth)->Unit(benchmark::kMillisecond);

}  // namespace
