#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <random>

#include "Forecast.h"
#include "HistoryStore.h"
#include "TempDir.h"

// A year of 26 drives recorded every ten minutes, as the window and the timer would: its size
// on disk, and what one recording, one pruning and the forecasts of all 26 drives cost on it.
namespace {

using namespace history;

constexpr std::int64_t kStart = 1'764'547'200;  // 2025-12-01
constexpr std::int64_t kStep = 600;
constexpr int kDrives = 26;

// Sizes from a USB stick to a large disk; four in ten busy, with changes every sample.
class Machine {
public:
    Machine() {
        const std::int64_t sizes[] = {8, 32, 128, 256, 512, 1000, 2000, 4000};
        for (int i = 0; i < kDrives; ++i) {
            const std::int64_t size = sizes[random_() % 8] * 1'000'000'000;
            drives_.push_back({{0x1000u + i, "/mnt/d" + std::to_string(i)},
                               static_cast<char>('A' + i),
                               "Drive",
                               "ext4",
                               3,
                               size,
                               size / 2});
            busy_.push_back(random_() % 10 < 4);
        }
    }
    const std::vector<DriveSample>& Next() {
        std::uniform_int_distribution<std::int64_t> change(-20'000'000, 30'000'000);
        for (int i = 0; i < kDrives; ++i)
            if (busy_[i])
                drives_[i].freeBytes = std::clamp<std::int64_t>(
                    drives_[i].freeBytes - change(random_), 0, drives_[i].totalBytes);
        return drives_;
    }
    const std::vector<DriveSample>& Drives() const { return drives_; }

private:
    std::mt19937_64 random_{42};
    std::vector<DriveSample> drives_;
    std::vector<bool> busy_;
};

struct Year {
    TempDir folder{"vollmark-history-bench"};
    std::string path = (folder / "history.sqlite").string();
    Machine machine;
    std::unique_ptr<Store> store;
    std::int64_t now = kStart;

    Year() {
        store = std::move(std::get<std::unique_ptr<Store>>(Store::Open(path, true)));
        for (; now < kStart + 365 * 86400; now += kStep) store->Record(machine.Next(), now);
        store.reset();  // the last connection checkpoints the log into the file
        std::printf("a year of %d drives: %.2f MB (%s)\n", kDrives,
                    std::filesystem::file_size(path) / 1e6, path.c_str());
        store = std::move(std::get<std::unique_ptr<Store>>(Store::Open(path, true)));
    }
};

Year& TheYear() {
    static Year year;
    return year;
}

void BM_Record26Drives(benchmark::State& state) {
    Year& year = TheYear();
    for (auto _ : state) {
        year.now += kStep;
        if (auto error = year.store->Record(year.machine.Next(), year.now))
            state.SkipWithError(error->message.c_str());
    }
}
BENCHMARK(BM_Record26Drives)->Unit(benchmark::kMillisecond)->Iterations(1000);

// What --history does per run: every drive's last three days read and forecast.
void BM_Forecast26Drives(benchmark::State& state) {
    Year& year = TheYear();
    for (auto _ : state) {
        for (const DriveSample& drive : year.machine.Drives()) {
            auto samples = year.store->Samples(drive.key, year.now - 3 * 86400);
            benchmark::DoNotOptimize(year.store->Span(drive.key));
            benchmark::DoNotOptimize(ForecastOf(std::get<std::vector<Sample>>(samples), year.now));
        }
    }
}
BENCHMARK(BM_Forecast26Drives)->Unit(benchmark::kMillisecond);

// A day of pruning alone, each call folding what turned 14 days old since the last.
void BM_Prune(benchmark::State& state) {
    Year& year = TheYear();
    for (auto _ : state) {
        year.now += kStep;
        if (auto error = year.store->Prune(year.now)) state.SkipWithError(error->message.c_str());
    }
}
BENCHMARK(BM_Prune)->Unit(benchmark::kMillisecond)->Iterations(144);

}  // namespace
