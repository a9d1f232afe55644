#pragma once

#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "MountInfo.h"

namespace platform::linuxfs {

// Where the layer looks for device facts; tests point these at directories of their own.
struct SystemPaths {
    std::string mountInfo = "/proc/self/mountinfo";
    std::string sysfs = "/sys";
    std::string diskByLabel = "/dev/disk/by-label";
    std::string diskByUuid = "/dev/disk/by-uuid";
    // Where helpers stuck on hung mounts are remembered; empty for the user's runtime folder.
    std::string stuckHelperRecords;
};

// udev writes unsafe bytes of a label as \xHH ("My\x20Disk"); everything else stands as is.
std::string decodeUdevName(std::string_view name);

// The first 32 bits of a UUID text ("0f3a9c1e-..." or a FAT "ABCD-1234"): nullopt when it has
// fewer than eight hex digits or anything but hex digits and dashes.
std::optional<std::uint32_t> serialFromUuid(std::string_view uuid);

// The block device behind a mount: the source's device number when the source is a device
// node, otherwise the mount's own major:minor when that names a real device.
std::optional<dev_t> blockDeviceOf(const MountRecord& record);

// The name in `directory` (a /dev/disk/by-* folder) whose symlink leads to `device`, decoded.
std::optional<std::string> deviceLinkName(const std::string& directory, dev_t device);

struct DeviceFacts {
    bool removable = false;
    bool onUsbBus = false;
};

// Reads <sysfs>/dev/block/MAJ:MIN: `removable` of the device or, for a partition, its disk,
// and whether the device path runs through a USB controller.
DeviceFacts readDeviceFacts(const std::string& sysfs, dev_t device);

// The Win32 drive type code of a mounted file system.
std::uint32_t classifyDriveType(const MountRecord& record, const DeviceFacts& facts);

}  // namespace platform::linuxfs
