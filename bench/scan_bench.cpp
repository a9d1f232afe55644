#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "Scanner.h"

// One scan of the folder named by VOLLMARK_SCAN_TREE (bench/compare-scan.sh builds one) with
// 1 to 16 threads: how the walk scales with threads, in entries per second. With
// VOLLMARK_SCAN_COLD=1 (as root) the page cache is dropped before each scan.
namespace {

void BM_ScanFolder(benchmark::State& state) {
    const char* tree = std::getenv("VOLLMARK_SCAN_TREE");
    if (!tree) {
        state.SkipWithError("set VOLLMARK_SCAN_TREE to a folder to scan");
        return;
    }
    scan::ScanOptions options;
    options.threads = static_cast<unsigned>(state.range(0));
    const bool cold = std::getenv("VOLLMARK_SCAN_COLD") != nullptr;
    std::uint64_t entries = 0;
    for (auto _ : state) {
        if (cold) {
            state.PauseTiming();
            ::sync();
            std::ofstream("/proc/sys/vm/drop_caches") << "3\n";
            state.ResumeTiming();
        }
        scan::ScanProgress progress;
        auto scanned = scan::ScanFolder(tree, options, progress);
        if (!std::holds_alternative<scan::ScanResult>(scanned)) {
            state.SkipWithError(std::get<scan::ScanError>(scanned).message.c_str());
            return;
        }
        benchmark::DoNotOptimize(scanned);
        entries += progress.Entries();
    }
    state.counters["entries/s"] = benchmark::Counter(double(entries), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ScanFolder)
    ->Arg(1)
    ->Arg(2)
    ->Arg(4)
    ->Arg(8)
    ->Arg(16)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
