#pragma once

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "MountInfo.h"

namespace platform::linuxfs {

// Kernel interfaces and service mounts that hold no user data.
bool isPseudoFileSystem(std::string_view fsType);
// Read-only images: snap packages, live-system loop images.
bool isSquashImage(std::string_view fsType);
// Container layers; only an overlay root is the machine's own drive.
bool isHiddenOverlay(const MountRecord& record);
// Per-boot scratch space the system keeps for itself; /dev/shm is the one users see.
bool isSystemTmpfs(const MountRecord& record);
// Anything mounted inside /proc or /sys (lxcfs and the like) belongs to the kernel's trees.
bool isInsideKernelTree(std::string_view mountPoint);
bool isNetworkMount(const MountRecord& record);
bool isOpticalFileSystem(std::string_view fsType);
bool isRamFileSystem(const MountRecord& record);
// vfat, exfat, NTFS and SMB shares compare names without regard to case.
bool isCaseInsensitiveFileSystem(std::string_view fsType);
// autofs must never be statted: the call itself triggers the mount.
bool isAutomountTrigger(std::string_view fsType);

bool isHiddenMount(const MountRecord& record);

// statfs on these types reads what the kernel keeps in memory or on a local disk; it never
// waits on a server or a daemon.
bool isSelfContainedFileSystem(std::string_view fsType);
// The mount points of a table whose own file system may hang.
using MountPointSet = std::set<std::string, std::less<>>;
MountPointSet hangProneMountPoints(const std::vector<MountRecord>& table);
// A statvfs of `mount` cannot hang when its own file system and every mount its path walks
// through are self-contained (a hung NFS mount above it would stall the path lookup). The set
// makes that a few lookups per mount instead of a pass over the whole table.
bool isHangFree(const MountRecord& mount, const MountPointSet& hangPronePoints);

// Number of path components: "/" 0, "/home" 1, "/home/user" 2.
int mountDepth(std::string_view mountPoint);

// Calls `visit` with every path a lookup of `mountPoint` walks through: "/", each parent and
// the mount point itself.
template <typename Visit>
void forEachPathOnTheWay(std::string_view mountPoint, Visit visit) {
    if (mountPoint != "/") visit(std::string_view("/"));
    for (std::size_t at = 1; at < mountPoint.size(); ++at)
        if (mountPoint[at] == '/') visit(mountPoint.substr(0, at));
    visit(mountPoint);
}

// The mounts worth a drive letter, in table order. A mount covered by a later one on its own
// path or on a parent of it is dropped: its mount point now leads into the other file system,
// so every figure read there would be that one's. Hidden kinds are dropped, and of the mounts
// that show one file system only the one nearest the root (the first in the table on a tie)
// stays. "/" is always kept unless something was mounted over it.
std::vector<MountRecord> selectDriveMounts(const std::vector<MountRecord>& table);

}  // namespace platform::linuxfs
