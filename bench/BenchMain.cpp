#include <benchmark/benchmark.h>

#include "OsLayer.h"

// Every benchmark program starts on the real layer, as the programs do; benchmarks with
// scripted drives put their fake over it.
int main(int argc, char** argv) {
    platform::installLayer(platform::createSystemLayer());
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
