#include "Win32Values.h"

#include <algorithm>
#include <limits>

namespace platform::win32 {
namespace {

// The core counts bytes signed. A count beyond 2^63 - 1 (only a broken driver reports one)
// saturates rather than turning negative, which would read as a drive that does not answer.
std::int64_t toSigned(std::uint64_t bytes) {
    constexpr auto kMax = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    return static_cast<std::int64_t>(std::min(bytes, kMax));
}

}  // namespace

DiskSpace spaceFromByteCounts(const ByteCounts& counts) {
    return {toSigned(counts.total), toSigned(counts.freeForCaller)};
}

DiskSpace spaceFromClusters(const ClusterCounts& counts) {
    const std::uint32_t clusterSize = counts.sectorsPerCluster * counts.bytesPerSector;
    const std::uint64_t total = std::uint64_t{clusterSize} * counts.totalClusters;
    const std::uint64_t free = std::uint64_t{clusterSize} * counts.freeClusters;
    return {toSigned(total), toSigned(free)};
}

std::string nameFromBuffer(const NameBuffer& buffer) {
    const auto end = std::find(buffer.begin(), buffer.end(), '\0');
    return std::string(buffer.begin(), end);
}

}  // namespace platform::win32
