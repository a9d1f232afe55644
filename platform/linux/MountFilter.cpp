#include "MountFilter.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <map>
#include <set>
#include <string>
#include <unordered_map>
#include <utility>

namespace platform::linuxfs {
namespace {

constexpr std::string_view kRoot = "/";

template <std::size_t N>
bool contains(const std::array<std::string_view, N>& list, std::string_view value) {
    return std::find(list.begin(), list.end(), value) != list.end();
}

bool isUnder(std::string_view path, std::string_view dir) {
    return path == dir ||
           (path.starts_with(dir) && path.size() > dir.size() && path[dir.size()] == '/');
}

bool isBlockDevicePath(std::string_view source) {
    return source.starts_with("/dev/");
}

// "host:/export" (NFS, Ceph, Gluster) or "//host/share" (SMB).
bool isRemoteSource(std::string_view source) {
    if (source.starts_with("//")) return source.size() > 2;
    if (source.empty() || source.front() == '/') return false;
    const std::size_t colon = source.find(':');
    if (colon == std::string_view::npos || colon == 0) return false;
    return source.substr(0, colon).find('/') == std::string_view::npos;
}

// The tree the parent IDs make, numbered in depth-first order so that "was mounted onto"
// is two comparisons. A mount whose parent is not in the table starts a tree of its own;
// mounts caught in a loop of parent IDs (a table read from a file may have one) are in none.
class MountTree {
public:
    explicit MountTree(const std::vector<MountRecord>& table)
        : enter_(table.size(), kNone), leave_(table.size(), kNone) {
        std::unordered_map<int, std::size_t> byId;
        for (std::size_t i = 0; i < table.size(); ++i) byId.try_emplace(table[i].mountId, i);
        std::vector<std::vector<std::size_t>> children(table.size());
        std::vector<std::size_t> roots;
        for (std::size_t i = 0; i < table.size(); ++i) {
            const auto parent = byId.find(table[i].parentId);
            if (parent == byId.end() || parent->second == i)
                roots.push_back(i);
            else
                children[parent->second].push_back(i);
        }
        for (std::size_t root : roots) number(root, children);
    }

    // Whether `ancestor` is `mount` itself or one it was mounted onto, directly or not.
    bool isMountedOnto(std::size_t mount, std::size_t ancestor) const {
        return enter_[mount] != kNone && enter_[ancestor] != kNone &&
               enter_[ancestor] <= enter_[mount] && leave_[mount] <= leave_[ancestor];
    }

private:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    void number(std::size_t root, const std::vector<std::vector<std::size_t>>& children) {
        std::vector<std::pair<std::size_t, std::size_t>> stack{{root, 0}};
        enter_[root] = clock_++;
        while (!stack.empty()) {
            auto& [node, next] = stack.back();
            if (next == children[node].size()) {
                leave_[node] = clock_++;
                stack.pop_back();
                continue;
            }
            const std::size_t child = children[node][next++];
            enter_[child] = clock_++;
            stack.emplace_back(child, 0);
        }
    }

    std::vector<std::size_t> enter_;
    std::vector<std::size_t> leave_;
    std::size_t clock_ = 0;
};

// Indices of the mounts a path lookup can still reach, in table order. The table lists mounts
// in the order they were made, so a mount is covered by any later one on its path that it was
// not itself mounted onto (a mount made under a covered one is covered too).
std::vector<std::size_t> reachableMounts(const std::vector<MountRecord>& table) {
    const MountTree tree(table);
    std::map<std::string_view, std::size_t> lastOnPoint;
    std::vector<std::size_t> reachable;
    for (std::size_t i = table.size(); i-- > 0;) {
        bool covered = false;
        forEachPathOnTheWay(table[i].mountPoint, [&](std::string_view path) {
            const auto later = lastOnPoint.find(path);
            if (later != lastOnPoint.end() && !tree.isMountedOnto(i, later->second)) covered = true;
        });
        if (!covered) reachable.push_back(i);
        lastOnPoint.try_emplace(table[i].mountPoint, i);
    }
    std::ranges::reverse(reachable);
    return reachable;
}

}  // namespace

bool isPseudoFileSystem(std::string_view fsType) {
    static constexpr std::array<std::string_view, 22> kTypes{
        "proc",       "sysfs",   "devtmpfs",    "devpts",    "cgroup",      "cgroup2",
        "securityfs", "pstore",  "efivarfs",    "bpf",       "debugfs",     "tracefs",
        "configfs",   "fusectl", "mqueue",      "hugetlbfs", "binfmt_misc", "rpc_pipefs",
        "nsfs",       "autofs",  "fuse.portal", "selinuxfs"};
    return contains(kTypes, fsType);
}

bool isSelfContainedFileSystem(std::string_view fsType) {
    // autofs, fuse.* and every network type are missing on purpose.
    static constexpr std::array<std::string_view, 36> kTypes{
        "ext2",     "ext3",     "ext4",    "xfs",     "btrfs",      "f2fs",
        "jfs",      "reiserfs", "nilfs2",  "vfat",    "msdos",      "exfat",
        "ntfs3",    "hfsplus",  "tmpfs",   "ramfs",   "iso9660",    "udf",
        "squashfs", "erofs",    "overlay", "zfs",     "proc",       "sysfs",
        "devtmpfs", "devpts",   "cgroup",  "cgroup2", "securityfs", "pstore",
        "efivarfs", "bpf",      "debugfs", "tracefs", "configfs",   "mqueue"};
    return contains(kTypes, fsType);
}

MountPointSet hangProneMountPoints(const std::vector<MountRecord>& table) {
    MountPointSet points;
    for (const auto& record : table)
        if (!isSelfContainedFileSystem(record.fsType)) points.insert(record.mountPoint);
    return points;
}

bool isHangFree(const MountRecord& mount, const MountPointSet& hangPronePoints) {
    if (!isSelfContainedFileSystem(mount.fsType)) return false;
    bool free = true;
    forEachPathOnTheWay(mount.mountPoint, [&](std::string_view path) {
        if (hangPronePoints.contains(path)) free = false;
    });
    return free;
}

bool isSquashImage(std::string_view fsType) {
    return fsType == "squashfs";
}

bool isHiddenOverlay(const MountRecord& record) {
    return record.fsType == "overlay" && record.mountPoint != kRoot;
}

bool isSystemTmpfs(const MountRecord& record) {
    if (record.fsType != "tmpfs") return false;
    const std::string_view point = record.mountPoint;
    if (isUnder(point, "/dev")) return !isUnder(point, "/dev/shm");
    return isUnder(point, "/run") || isUnder(point, "/sys") || isUnder(point, "/proc");
}

bool isInsideKernelTree(std::string_view mountPoint) {
    return isUnder(mountPoint, "/proc") || isUnder(mountPoint, "/sys");
}

bool isNetworkMount(const MountRecord& record) {
    static constexpr std::array<std::string_view, 16> kTypes{
        "nfs",  "nfs4",      "cifs",   "smb3", "smbfs", "ncpfs",      "afs",         "coda",
        "ceph", "glusterfs", "lustre", "gpfs", "9p",    "fuse.sshfs", "fuse.rclone", "davfs"};
    return contains(kTypes, record.fsType) || isRemoteSource(record.source);
}

bool isOpticalFileSystem(std::string_view fsType) {
    return fsType == "iso9660" || fsType == "udf" || fsType == "fuse.fuseiso";
}

bool isRamFileSystem(const MountRecord& record) {
    return record.fsType == "tmpfs" || record.fsType == "ramfs" ||
           record.source.starts_with("/dev/zram");
}

bool isCaseInsensitiveFileSystem(std::string_view fsType) {
    static constexpr std::array<std::string_view, 8> kTypes{"vfat",  "msdos", "exfat", "ntfs",
                                                            "ntfs3", "cifs",  "smb3",  "smbfs"};
    return contains(kTypes, fsType);
}

bool isAutomountTrigger(std::string_view fsType) {
    return fsType == "autofs";
}

bool isHiddenMount(const MountRecord& record) {
    if (record.mountPoint == kRoot) return false;
    return isPseudoFileSystem(record.fsType) || isSquashImage(record.fsType) ||
           isHiddenOverlay(record) || isSystemTmpfs(record) ||
           isInsideKernelTree(record.mountPoint);
}

int mountDepth(std::string_view mountPoint) {
    int depth = 0;
    bool inName = false;
    for (char c : mountPoint) {
        if (c != '/' && !inName) ++depth;
        inName = c != '/';
    }
    return depth;
}

std::vector<MountRecord> selectDriveMounts(const std::vector<MountRecord>& table) {
    const auto visible = reachableMounts(table);
    std::vector<std::size_t> shown;
    for (std::size_t i : visible)
        if (!isHiddenMount(table[i])) shown.push_back(i);
    std::ranges::stable_sort(shown, {},
                             [&](std::size_t i) { return mountDepth(table[i].mountPoint); });

    std::set<std::pair<unsigned, unsigned>> keptDevices;
    std::set<std::string_view> keptSources;
    std::vector<std::size_t> kept;
    for (std::size_t i : shown) {
        const MountRecord& record = table[i];
        const bool seen = keptDevices.contains({record.major, record.minor}) ||
                          (isBlockDevicePath(record.source) && keptSources.contains(record.source));
        if (seen) continue;
        kept.push_back(i);
        keptDevices.insert({record.major, record.minor});
        if (isBlockDevicePath(record.source)) keptSources.insert(record.source);
    }
    std::ranges::sort(kept);

    std::vector<MountRecord> result;
    result.reserve(kept.size());
    for (std::size_t i : kept) result.push_back(table[i]);
    return result;
}

}  // namespace platform::linuxfs
