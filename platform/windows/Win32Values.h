#pragma once

#include <string>

#include "OsLayer.h"
#include "Win32Calls.h"

// What the layer makes of the raw outputs of the Win32 calls: pure, so tests can feed it any
// value a driver might report.
namespace platform::win32 {

DiskSpace spaceFromByteCounts(const ByteCounts& counts);
// The cluster size is a 32-bit product, the byte counts 64-bit ones.
DiskSpace spaceFromClusters(const ClusterCounts& counts);
// The text before the first NUL; all of the buffer when the call left it unterminated.
std::string nameFromBuffer(const NameBuffer& buffer);

}  // namespace platform::win32
