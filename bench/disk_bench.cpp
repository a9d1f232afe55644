#include <benchmark/benchmark.h>

#include "DiskUtils.h"
#include "FakeLayer.h"

namespace {

using namespace DiskUtils;

void BM_NumberText(benchmark::State& state) {
    const Capacity value{2'500'593'500'160'123};
    for (auto _ : state) benchmark::DoNotOptimize(NumberText(value, 2));
}
BENCHMARK(BM_NumberText);

// The arithmetic and text around one query, with the fake answering at no cost.
void BM_FormatCapacity_Fake(benchmark::State& state) {
    platform::ScopedFakeLayer fake;
    fake->drive('C').totalBytes = 250'059'350'016;
    fake->drive('C').freeBytes = 50'011'870'003;
    for (auto _ : state) benchmark::DoNotOptimize(FormatCapacity(3, suGiga, ckUsed, 2));
}
BENCHMARK(BM_FormatCapacity_Fake);

void BM_ConvertToUnit(benchmark::State& state) {
    std::int64_t bytes = 250'059'350'016;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ConvertToUnit(suGiga, bytes));
        ++bytes;
    }
}
BENCHMARK(BM_ConvertToUnit);

}  // namespace
