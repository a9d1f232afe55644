#pragma once

#include <memory>

#include "OsLayer.h"

namespace platform {

enum class SpaceQuery {
    // GetDiskFreeSpaceExA, or GetDiskFreeSpaceA where kernel32.dll lacks it.
    Extended,
    // GetDiskFreeSpaceA always, as on a system without the extended call.
    Legacy,
};

// The layer over the real Win32 calls. Whether GetDiskFreeSpaceExA exists is decided here,
// once; every later space query uses the routine so chosen.
std::unique_ptr<OsLayer> createWin32Layer(SpaceQuery query);

}  // namespace platform
