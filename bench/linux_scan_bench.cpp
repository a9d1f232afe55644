#include <benchmark/benchmark.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "DiskUtils.h"
#include "linux/LinuxLayer.h"

// The real Linux layer against the machine's own mounts, with `df` over the same mount points
// as the yardstick: a scan here should cost less than one run of df.
namespace {

using namespace DiskUtils;

void useStartupOptions() {
    static const bool installed = (platform::installLayer(platform::createLinuxLayer()), true);
    (void)installed;
    SetUnitNames(OctetUnitNames);
    SetUnitDivisors(UnitDivisors1000);
    LoadNumberSeparators();
}

std::vector<std::uint8_t> presentDrives() {
    std::vector<std::uint8_t> drives;
    for (std::uint8_t index = 1; index <= 26; ++index)
        if (QueryDiskSize(index) != -1) drives.push_back(index);
    return drives;
}

std::string dfCommand() {
    std::string command = "df -B1 --output=size,avail";
    for (std::uint8_t index : presentDrives()) {
        const auto point =
            platform::currentLayer().mountPoint(RootPathOf(DriveIndexToLetter(index)));
        if (point) command += " '" + *point + "'";
    }
    return command + " 2>/dev/null";
}

// What the main window does per rescan and repaint: the probe over A..Z (every selection
// differs from the last, so each one queries), then the three texts of each present drive.
// With a scan scope, as the programs open one, each file system is statted once per round.
void BM_ScanAToZ_TDisk(benchmark::State& state) {
    useStartupOptions();
    const auto drives = presentDrives();
    const bool scoped = state.range(0) != 0;
    TDisk disk;
    for (auto _ : state) {
        std::optional<platform::ScanScope> scope;
        if (scoped) scope.emplace();
        for (std::uint8_t index = 1; index <= 26; ++index) disk.SetDriveIndex(index);
        for (std::uint8_t index : drives)
            for (CapacityKind kind : {ckTotal, ckFree, ckUsed})
                benchmark::DoNotOptimize(FormatCapacity(index, DisplayUnit, kind, 2));
    }
    state.counters["drives"] = static_cast<double>(drives.size());
}
BENCHMARK(BM_ScanAToZ_TDisk)->ArgName("scoped")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_SpaceQuery_Root(benchmark::State& state) {
    useStartupOptions();
    auto& layer = platform::currentLayer();
    for (auto _ : state) benchmark::DoNotOptimize(layer.diskFreeSpace("C:\\"));
}
BENCHMARK(BM_SpaceQuery_Root)->Unit(benchmark::kMicrosecond);

void BM_Df_SameMounts(benchmark::State& state) {
    useStartupOptions();
    const std::string command = dfCommand();
    for (auto _ : state) {
        FILE* pipe = popen(command.c_str(), "r");
        if (pipe == nullptr) {
            state.SkipWithError("popen failed");
            return;
        }
        char line[512];
        while (fgets(line, sizeof line, pipe) != nullptr) benchmark::DoNotOptimize(line);
        pclose(pipe);
    }
}
BENCHMARK(BM_Df_SameMounts)->Unit(benchmark::kMicrosecond);

}  // namespace
