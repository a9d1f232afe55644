#include <benchmark/benchmark.h>

#include "GrewMost.h"
#include "HistoryStore.h"
#include "MillionFiles.h"
#include "Snapshot.h"
#include "TempDir.h"

// A million-file drive (MillionFiles.h): what one snapshot of it takes in the history, what
// choosing and storing it cost beside the scan, and what a notice's line on what grew costs.
namespace {

using namespace history;

constexpr std::int64_t kStart = 1'796'083'200;

void BM_RecordSnapshot(benchmark::State& state) {
    const scan::ScanResult scan = benchdata::MillionFiles();
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
    scan::ScanResult scan = benchdata::MillionFiles();
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
