#pragma once

#include <chrono>
#include <memory>

#include "DeviceInfo.h"
#include "OsLayer.h"
#include "TimedStatvfs.h"

namespace platform {

// Mounted file systems as drive letters: "/" is C:, the others D: to Z: (see DriveLetters.h).
// The mount table is read again only when the kernel flags a change on it. Outside a scan a
// query costs one statvfs; inside one, the table is checked once and every query about a drive
// is answered from one statvfs. `bound` is how long a statvfs may take before the mount counts
// as hung; mounts that may hang are asked together, so a scan waits one bound at most.
std::unique_ptr<OsLayer> createLinuxLayer(
    linuxfs::SystemPaths paths = {},
    std::chrono::milliseconds bound = linuxfs::TimedStatvfs::kDefaultBound);

}  // namespace platform
