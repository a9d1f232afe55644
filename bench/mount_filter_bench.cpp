#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "linux/DriveLetters.h"
#include "linux/MountFilter.h"
#include "linux/MountInfo.h"

// The Linux layer's pure work when the mount table changes, on synthetic tables shaped like a
// container host: container layers, bind mounts, nested data disks, network shares.
namespace {

using namespace platform::linuxfs;

std::string mountInfoLine(int id, int parent, unsigned minor, const std::string& point,
                          const std::string& type, const std::string& source) {
    return std::to_string(id) + ' ' + std::to_string(parent) + " 0:" + std::to_string(minor) +
           " / " + point + " rw,relatime shared:1 - " + type + ' ' + source + " rw\n";
}

std::string syntheticMountInfo(int count) {
    std::string text = mountInfoLine(1, 0, 1, "/", "ext4", "/dev/vda1");
    for (int i = 2; i <= count; ++i) {
        const std::string n = std::to_string(i);
        const auto minor = static_cast<unsigned>(i);
        switch (i % 5) {
            case 0:
                text += mountInfoLine(i, 1, minor, "/var/lib/docker/overlay2/" + n + "/merged",
                                      "overlay", "overlay");
                break;
            case 1:
                text += mountInfoLine(i, 1, minor - 1, "/srv/bind/" + n, "tmpfs", "tmpfs");
                break;
            case 2:
                text += mountInfoLine(i, 1, minor, "/mnt/t" + n, "tmpfs", "tmpfs");
                break;
            case 3:
                text += mountInfoLine(i, i - 1, minor, "/mnt/t" + std::to_string(i - 1) + "/d",
                                      "ext4", "/dev/sd" + n);
                break;
            default:
                text += mountInfoLine(i, 1, minor, "/net/share" + n, "nfs4", "server:/x" + n);
        }
    }
    return text;
}

void BM_SelectDriveMounts(benchmark::State& state) {
    const auto table = parseMountInfo(syntheticMountInfo(static_cast<int>(state.range(0))));
    for (auto _ : state) benchmark::DoNotOptimize(selectDriveMounts(table));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_SelectDriveMounts)->Arg(400)->Arg(4000)->Unit(benchmark::kMicrosecond);

// One mount point with every mount stacked on the one before: the longest parent chains.
void BM_SelectDriveMounts_Stacked(benchmark::State& state) {
    std::string text = mountInfoLine(1, 0, 1, "/", "ext4", "/dev/vda1");
    for (int i = 2; i <= state.range(0); ++i)
        text += mountInfoLine(i, i - 1, static_cast<unsigned>(i), "/stack", "tmpfs", "tmpfs");
    const auto table = parseMountInfo(text);
    for (auto _ : state) benchmark::DoNotOptimize(selectDriveMounts(table));
}
BENCHMARK(BM_SelectDriveMounts_Stacked)->Arg(400)->Arg(4000)->Unit(benchmark::kMicrosecond);

// Everything a changed table costs apart from system calls: parse, filter, hang check, letters.
void BM_TableChange(benchmark::State& state) {
    const std::string text = syntheticMountInfo(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const auto table = parseMountInfo(text);
        const auto hangProne = hangProneMountPoints(table);
        const auto shown = selectDriveMounts(table);
        std::vector<std::string> points;
        int hangFree = 0;
        for (const auto& mount : shown) {
            hangFree += isHangFree(mount, hangProne) ? 1 : 0;
            points.push_back(mount.mountPoint);
        }
        benchmark::DoNotOptimize(hangFree);
        benchmark::DoNotOptimize(assignDriveLetters({}, points));
    }
}
BENCHMARK(BM_TableChange)->Arg(400)->Arg(4000)->Unit(benchmark::kMicrosecond);

}  // namespace
