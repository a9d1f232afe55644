#include "linux/MountFilter.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace platform::linuxfs {
namespace {

MountRecord mount(std::string point, std::string type, std::string source, unsigned major,
                  unsigned minor) {
    MountRecord record;
    record.mountPoint = std::move(point);
    record.fsType = std::move(type);
    record.source = std::move(source);
    record.major = major;
    record.minor = minor;
    return record;
}

MountRecord mountedOn(int id, int parent, std::string point, std::string type, unsigned minor) {
    MountRecord record =
        mount(std::move(point), std::move(type), "src" + std::to_string(id), 0, minor);
    record.mountId = id;
    record.parentId = parent;
    return record;
}

std::vector<std::string> pointsOf(const std::vector<MountRecord>& records) {
    std::vector<std::string> points;
    for (const auto& record : records) points.push_back(record.mountPoint);
    return points;
}

TEST(MountFilter, hiddenMountTable_matchesKindAndPlace) {
    struct Case {
        const char* point;
        const char* type;
        const char* source;
        bool hidden;
    };
    const Case cases[] = {
        {"/", "ext4", "/dev/vda", false},
        {"/", "overlay", "overlay", false},
        {"/", "squashfs", "/dev/loop0", false},
        {"/var/lib/docker/x", "overlay", "overlay", true},
        {"/snap/core/1", "squashfs", "/dev/loop3", true},
        {"/proc", "proc", "proc", true},
        {"/sys/fs/cgroup/cpu", "cgroup", "cgroup", true},
        {"/sys/fs/cgroup/unified", "cgroup2", "cgroup2", true},
        {"/media/cd", "autofs", "systemd-1", true},
        {"/run/user/1000/doc", "fuse.portal", "portal", true},
        {"/proc/sys/fs/binfmt_misc", "binfmt_misc", "binfmt_misc", true},
        {"/proc/cpuinfo", "fuse.lxcfs", "lxcfs", true},
        {"/run", "tmpfs", "tmpfs", true},
        {"/run/user/1000", "tmpfs", "tmpfs", true},
        {"/running", "tmpfs", "tmpfs", false},
        {"/dev", "tmpfs", "tmpfs", true},
        {"/dev/shm", "tmpfs", "tmpfs", false},
        {"/dev/shm/sub", "tmpfs", "tmpfs", false},
        {"/tmp", "tmpfs", "tmpfs", false},
        {"/run/media/me/STICK", "vfat", "/dev/sdb1", false},
        {"/home", "btrfs", "/dev/sda2", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.point) + " " + c.type);
        EXPECT_EQ(isHiddenMount(mount(c.point, c.type, c.source, 0, 1)), c.hidden);
    }
}

TEST(MountFilter, networkMountTable_byTypeOrSource) {
    struct Case {
        const char* type;
        const char* source;
        bool network;
    };
    const Case cases[] = {
        {"nfs4", "server:/export", true},
        {"ext4", "server:/export", true},
        {"fuse.sshfs", "me@host:", true},
        {"cifs", "//nas/share", true},
        {"fuse", "//nas/share", true},
        {"ceph", "10.0.0.1:6789:/", true},
        {"9p", "hostshare", true},
        {"ext4", "/dev/sda1", false},
        {"tmpfs", "tmpfs", false},
        {"fuse.x", ":nothing", false},
        {"ext4", "/dev/disk/by-id/a:b", false},
        {"fuse.y", "//", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.type) + " " + c.source);
        EXPECT_EQ(isNetworkMount(mount("/mnt", c.type, c.source, 0, 1)), c.network);
    }
}

TEST(MountFilter, hangFree_onlyWhenTheMountAndEveryMountOnItsPathAreLocal) {
    const std::vector<MountRecord> table = {
        mount("/", "ext4", "/dev/vda", 254, 0),
        mount("/dev", "devtmpfs", "udev", 0, 5),
        mount("/dev/shm", "tmpfs", "tmpfs", 0, 20),
        mount("/srv", "nfs4", "server:/srv", 0, 50),
        mount("/srv/cache", "ext4", "/dev/sdb1", 8, 17),
        mount("/home/u/remote", "fuse.sshfs", "u@host:", 0, 51),
        mount("/media/usb", "vfat", "/dev/sdc1", 8, 33),
        mount("/net", "autofs", "/etc/auto.net", 0, 52),
        mount("/net/box", "ext4", "/dev/sdd1", 8, 49),
        mount("/srvdata", "xfs", "/dev/sde1", 8, 65),
    };
    const std::map<std::string, bool> expected = {
        {"/", true},          {"/dev", true},        {"/dev/shm", true},
        {"/srv", false},      {"/srv/cache", false}, {"/home/u/remote", false},
        {"/media/usb", true}, {"/net", false},       {"/net/box", false},
        {"/srvdata", true},
    };
    for (const auto& record : table)
        EXPECT_EQ(isHangFree(record, hangProneMountPoints(table)), expected.at(record.mountPoint))
            << record.mountPoint;
    const std::vector<MountRecord> underOverlay = {mount("/", "overlay", "overlay", 0, 40),
                                                   mount("/data", "ext4", "/dev/vdb", 254, 16)};
    EXPECT_TRUE(isHangFree(underOverlay[1], hangProneMountPoints(underOverlay)));
    const std::vector<MountRecord> underNfsRoot = {mount("/", "nfs", "server:/root", 0, 40),
                                                   mount("/data", "ext4", "/dev/vdb", 254, 16)};
    EXPECT_FALSE(isHangFree(underNfsRoot[1], hangProneMountPoints(underNfsRoot)));
}

TEST(MountFilter, mountDepth_countsComponents) {
    EXPECT_EQ(mountDepth("/"), 0);
    EXPECT_EQ(mountDepth("/home"), 1);
    EXPECT_EQ(mountDepth("/home/user/"), 2);
    EXPECT_EQ(mountDepth("//srv//data"), 2);
}

TEST(MountFilter, select_dropsHiddenAndShadowedMounts) {
    const std::vector<MountRecord> table{
        mount("/proc", "proc", "proc", 0, 21),
        mount("/", "ext4", "/dev/vda", 254, 0),
        mount("/dev/shm", "tmpfs", "tmpfs", 0, 23),
        mount("/snap/x/1", "squashfs", "/dev/loop1", 7, 1),
        mount("/dev/shm", "tmpfs", "tmpfs", 0, 27),
    };
    const auto shown = selectDriveMounts(table);
    ASSERT_EQ(pointsOf(shown), (std::vector<std::string>{"/", "/dev/shm"}));
    EXPECT_EQ(shown[1].minor, 27u) << "the mount on top of the stack is the one reached";
}

TEST(MountFilter, select_showsEachFileSystemOnceNearestTheRoot) {
    const std::vector<MountRecord> table{
        mount("/srv/deep/data", "ext4", "/dev/sdb1", 8, 17),
        mount("/", "btrfs", "/dev/sda2", 0, 30),
        mount("/home", "btrfs", "/dev/sda2", 0, 31),
        mount("/data", "ext4", "/dev/sdb1", 8, 17),
        mount("/mnt/b", "tmpfs", "tmpfs", 0, 40),
        mount("/mnt/a", "tmpfs", "tmpfs", 0, 40),
        mount("/mnt/other", "tmpfs", "tmpfs", 0, 41),
        mount("/var/bind", "ext4", "/dev/vdb", 254, 16),
    };
    EXPECT_EQ(pointsOf(selectDriveMounts(table)),
              (std::vector<std::string>{"/", "/data", "/mnt/b", "/mnt/other", "/var/bind"}));
}

TEST(MountFilter, select_tmpfsSourcesAreNotOneDevice) {
    const std::vector<MountRecord> table{
        mount("/a", "tmpfs", "tmpfs", 0, 50), mount("/b", "tmpfs", "tmpfs", 0, 51),
        mount("/c", "nfs", "srv:/x", 0, 52), mount("/d", "nfs", "srv:/x", 0, 53)};
    EXPECT_EQ(selectDriveMounts(table).size(), 4u);
}

TEST(MountFilter, select_dropsMountsCoveredOnTheirPathOrAParent) {
    struct Case {
        const char* what;
        std::vector<MountRecord> table;
        std::vector<std::string> shown;
    };
    const Case cases[] = {
        {"tmpfs over p hides the ext4 at p/child",
         {mountedOn(1, 0, "/", "ext4", 1), mountedOn(2, 1, "/p/child", "ext4", 2),
          mountedOn(3, 1, "/p", "tmpfs", 3)},
         {"/", "/p"}},
        {"a mount over /dev hides /dev/shm",
         {mountedOn(1, 0, "/", "ext4", 1), mountedOn(2, 1, "/dev", "devtmpfs", 2),
          mountedOn(3, 2, "/dev/shm", "tmpfs", 3), mountedOn(4, 1, "/dev", "tmpfs", 4)},
         {"/"}},
        {"mounts made under the upper one stay",
         {mountedOn(1, 0, "/", "ext4", 1), mountedOn(2, 1, "/p", "tmpfs", 2),
          mountedOn(3, 2, "/p/child", "ext4", 3), mountedOn(4, 3, "/p/child/deeper", "xfs", 4)},
         {"/", "/p", "/p/child", "/p/child/deeper"}},
        {"a mount under a covered one is covered too",
         {mountedOn(1, 0, "/", "ext4", 1), mountedOn(2, 1, "/p/a", "ext4", 2),
          mountedOn(3, 2, "/p/a/b", "xfs", 3), mountedOn(4, 1, "/p", "tmpfs", 4)},
         {"/", "/p"}},
        {"a later sibling with a longer path covers nothing",
         {mountedOn(1, 0, "/", "ext4", 1), mountedOn(2, 1, "/p", "tmpfs", 2),
          mountedOn(3, 1, "/p2", "tmpfs", 3), mountedOn(4, 1, "/p/x", "xfs", 4)},
         {"/", "/p", "/p2", "/p/x"}},
        {"a mount over / hides everything before it",
         {mountedOn(1, 0, "/", "ext4", 1), mountedOn(2, 1, "/data", "xfs", 2),
          mountedOn(3, 1, "/", "overlay", 3), mountedOn(4, 3, "/srv", "xfs", 4)},
         {"/", "/srv"}},
        {"a mount moved onto a later one stays",
         {mountedOn(1, 0, "/", "ext4", 1), mountedOn(2, 4, "/y/a", "xfs", 2),
          mountedOn(4, 1, "/y", "tmpfs", 4)},
         {"/", "/y/a", "/y"}},
        {"of a stack on one point only the top stays",
         {mountedOn(1, 0, "/", "ext4", 1), mountedOn(2, 1, "/s", "tmpfs", 2),
          mountedOn(3, 2, "/s", "tmpfs", 3), mountedOn(4, 3, "/s", "xfs", 4),
          mountedOn(5, 4, "/s/in", "tmpfs", 5)},
         {"/", "/s", "/s/in"}},
        {"a looped parent chain ends",
         {mountedOn(7, 8, "/", "ext4", 1), mountedOn(8, 7, "/a", "xfs", 2),
          mountedOn(9, 9, "/a", "tmpfs", 3)},
         {"/", "/a"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(pointsOf(selectDriveMounts(c.table)), c.shown);
    }
}

}  // namespace
}  // namespace platform::linuxfs
