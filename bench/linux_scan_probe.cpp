// One A..Z probe through the real Linux layer, for counting system calls with strace:
//   strace -c -f vollmark-scan-probe [--scan] [--rounds N]
// --scan brackets each round in a scan scope, as the programs do around a rescan or a run.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>

#include "DiskUtils.h"
#include "linux/LinuxLayer.h"

namespace {

using namespace DiskUtils;

int probeAToZ() {
    TDisk disk;
    int present = 0;
    for (std::uint8_t index = 1; index <= 26; ++index) {
        disk.SetDriveIndex(index);
        if (!disk.Present) continue;
        ++present;
        for (CapacityKind kind : {ckTotal, ckFree, ckUsed})
            std::fputs(FormatCapacity(index, DisplayUnit, kind, 2).c_str(), stdout);
        std::fputc('\n', stdout);
    }
    return present;
}

}  // namespace

int main(int argc, char* argv[]) {
    bool scan = false;
    int rounds = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--scan") == 0) {
            scan = true;
        } else if (std::strcmp(argv[i], "--rounds") == 0 && i + 1 < argc) {
            rounds = std::atoi(argv[++i]);
        } else {
            std::fprintf(stderr, "usage: %s [--scan] [--rounds N]\n", argv[0]);
            return 2;
        }
    }
    platform::installLayer(platform::createLinuxLayer());
    SetUnitNames(OctetUnitNames);
    SetUnitDivisors(UnitDivisors1000);
    LoadNumberSeparators();
    int present = 0;
    for (int round = 0; round < rounds; ++round) {
        std::optional<platform::ScanScope> scope;
        if (scan) scope.emplace();
        present = probeAToZ();
    }
    std::fprintf(stderr, "%d drives\n", present);
    return 0;
}
