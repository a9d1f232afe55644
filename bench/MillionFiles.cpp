#include "MillionFiles.h"

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace benchdata {
namespace {

constexpr std::size_t kFolders = 50'000;
constexpr std::size_t kFiles = 1'000'000;

}  // namespace

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

}  // namespace benchdata
