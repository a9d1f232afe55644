#include <benchmark/benchmark.h>

#include "HistoryStore.h"
#include "MillionFiles.h"
#include "Snapshot.h"
#include "TempDir.h"

// A million-file drive (MillionFiles.h): what one snapshot of it takes in the history, and what
// choosing and storing it cost beside the scan.
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

}  // namespace
