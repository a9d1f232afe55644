#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "Win32Values.h"

namespace platform::win32 {
namespace {

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::uint32_t kMax32 = std::numeric_limits<std::uint32_t>::max();

struct ClusterCase {
    ClusterCounts counts;
    std::int64_t total;
    std::int64_t free;
};

TEST(Win32Values, spaceFromClusters_multipliesClusterSizeIntoBothCounts) {
    const ClusterCase cases[] = {
        {{8, 512, 20380465, 66053021}, 270553174016, 83478384640},
        {{1, 512, 0, 2880}, 1474560, 0},
        // Past 4 GiB: the counts are 64-bit products.
        {{64, 4096, kMax32, kMax32}, std::int64_t{262144} * kMax32, std::int64_t{262144} * kMax32},
        // The cluster size itself is a 32-bit product and wraps.
        {{65536, 65537, 1, 2}, 131072, 65536},
        // The largest products exceed the signed range and saturate.
        {{65535, 65535, kMax32, kMax32}, kMax, kMax},
    };
    for (const auto& c : cases) {
        const DiskSpace space = spaceFromClusters(c.counts);
        EXPECT_EQ(space.totalBytes, c.total) << c.counts.sectorsPerCluster;
        EXPECT_EQ(space.freeBytesForCaller, c.free) << c.counts.sectorsPerCluster;
    }
}

TEST(Win32Values, spaceFromByteCounts_saturatesCountsBeyondSignedRange) {
    const std::uint64_t kTooLarge = std::uint64_t{1} << 63;
    EXPECT_EQ(spaceFromByteCounts({kTooLarge, kTooLarge - 1}).totalBytes, kMax);
    EXPECT_EQ(spaceFromByteCounts({kTooLarge, kTooLarge - 1}).freeBytesForCaller, kMax);
    EXPECT_EQ(spaceFromByteCounts({~std::uint64_t{0}, 0}).totalBytes, kMax);
    EXPECT_EQ(spaceFromByteCounts({1000, 250}).totalBytes, 1000);
    EXPECT_EQ(spaceFromByteCounts({1000, 250}).freeBytesForCaller, 250);
}

NameBuffer bufferOf(const std::string& text, char fill) {
    NameBuffer buffer;
    buffer.fill(fill);
    std::copy(text.begin(), text.end(), buffer.begin());
    return buffer;
}

TEST(Win32Values, nameFromBuffer_stopsAtFirstNulAndNeverPassesTheBuffer) {
    EXPECT_EQ(nameFromBuffer(bufferOf("", '\0')), "");
    EXPECT_EQ(nameFromBuffer(bufferOf("DATA", '\0')), "DATA");
    EXPECT_EQ(nameFromBuffer(bufferOf(std::string("AB\0CD", 5), 'x')), "AB");
    EXPECT_EQ(nameFromBuffer(bufferOf("", 'x')), std::string(kVolumeNameBufferSize, 'x'));
}

}  // namespace
}  // namespace platform::win32
