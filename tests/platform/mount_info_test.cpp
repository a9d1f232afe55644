#include "linux/MountInfo.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace platform::linuxfs {
namespace {

TEST(MountInfo, parseKernelExample_fillsEveryColumn) {
    const auto record = parseMountInfoLine(
        "36 35 98:0 /mnt1 /mnt/parent rw,noatime master:1 - ext3 /dev/root rw,errors=continue");
    ASSERT_TRUE(record);
    EXPECT_EQ(record->mountId, 36);
    EXPECT_EQ(record->parentId, 35);
    EXPECT_EQ(record->major, 98u);
    EXPECT_EQ(record->minor, 0u);
    EXPECT_EQ(record->root, "/mnt1");
    EXPECT_EQ(record->mountPoint, "/mnt/parent");
    EXPECT_EQ(record->mountOptions, "rw,noatime");
    EXPECT_EQ(record->optionalFields, std::vector<std::string>{"master:1"});
    EXPECT_EQ(record->fsType, "ext3");
    EXPECT_EQ(record->source, "/dev/root");
    EXPECT_EQ(record->superOptions, "rw,errors=continue");
}

struct LineCase {
    const char* line;
    std::optional<std::string> mountPoint;  // nullopt: the line is rejected
    std::string source;
    std::size_t optionalFields = 0;
};

TEST(MountInfo, parseLineTable_decodesOrRejects) {
    const LineCase cases[] = {
        {"27 1 254:0 / / rw,relatime - ext4 /dev/vda rw", "/", "/dev/vda", 0},
        {"50 27 8:17 / /media/My\\040Disk rw - vfat /dev/sdb1 rw", "/media/My Disk", "/dev/sdb1"},
        {"51 27 8:17 / /a\\011b\\012c\\134d rw - vfat /dev/sdb1 rw", "/a\tb\nc\\d", "/dev/sdb1"},
        {"52 27 0:40 / /mnt/\xF0\x9F\x92\xBE rw - tmpfs tmpfs rw", "/mnt/\xF0\x9F\x92\xBE",
         "tmpfs"},
        {"53 27 0:41 / /mnt/x rw shared:5 master:2 propagate_from:1 - nfs srv:/e rw", "/mnt/x",
         "srv:/e", 3},
        {"55 27 0:43 / /mnt/b\\04 rw - tmpfs tmpfs rw", "/mnt/b\\04", "tmpfs"},
        {"56 27 0:44 / /mnt/f rw - tmpfs tmpfs rw\r", "/mnt/f", "tmpfs"},
        {"57 27 0:45 / /mnt/s rw - fuse.sshfs me@h:/x\\040y rw", "/mnt/s", "me@h:/x y"},
        {"", std::nullopt, ""},
        {"garbage", std::nullopt, ""},
        {"58 27 0:46 / /mnt/n rw tmpfs tmpfs rw", std::nullopt, ""},
        {"59 27 0:47 / /mnt/t rw - tmpfs", std::nullopt, ""},
        {"x 27 0:47 / /mnt/t rw - tmpfs tmpfs rw", std::nullopt, ""},
        {"60 27 047 / /mnt/t rw - tmpfs tmpfs rw", std::nullopt, ""},
        {"61 27 0:4a / /mnt/t rw - tmpfs tmpfs rw", std::nullopt, ""},
        {"62 27 0:48 / /mnt/cut", std::nullopt, ""},
        // Found by the fuzz test: paths the kernel never writes.
        {"63 27 0:49 / mnt/rel rw - tmpfs tmpfs rw", std::nullopt, ""},
        {"64 27 0:50 / \\057x rw - tmpfs tmpfs rw", "/x", "tmpfs"},
        {"65 27 0:51 / /mnt/a\\000b rw - tmpfs tmpfs rw", std::nullopt, ""},
        {"66 27 0:52 / /mnt/c rw - tmpfs /dev/sd\\000a rw", std::nullopt, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const auto record = parseMountInfoLine(c.line);
        ASSERT_EQ(record.has_value(), c.mountPoint.has_value());
        if (!record) continue;
        EXPECT_EQ(record->mountPoint, *c.mountPoint);
        EXPECT_EQ(record->source, c.source);
        EXPECT_EQ(record->optionalFields.size(), c.optionalFields);
    }
}

TEST(MountInfo, emptyFields_typeRejectedSourceKept) {
    const auto record = parseMountInfoLine("54 27 0:42 / /mnt/e rw -  tmpfs rw");
    EXPECT_FALSE(record) << "a mount without a type";
    const auto withEmpty = parseMountInfoLine("54 27 0:42 / /mnt/e rw - tmpfs  rw");
    ASSERT_TRUE(withEmpty);
    EXPECT_EQ(withEmpty->source, "");
    EXPECT_EQ(withEmpty->superOptions, "rw");
}

TEST(MountInfo, parseTable_skipsBrokenLinesAndKeepsOrder) {
    const auto records = parseMountInfo(
        "22 27 0:21 / /proc rw - proc proc rw\n"
        "broken line\n"
        "\n"
        "27 1 254:0 / / rw - ext4 /dev/vda rw\n"
        "28 27 0:25 / /tmp/last rw - tmpfs tmpfs rw");
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].mountPoint, "/proc");
    EXPECT_EQ(records[1].mountPoint, "/");
    EXPECT_EQ(records[2].mountPoint, "/tmp/last");
}

}  // namespace
}  // namespace platform::linuxfs
