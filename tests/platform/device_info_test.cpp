#include "linux/DeviceInfo.h"

#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "OsLayer.h"
#include "TempDir.h"
#include "linux/VolumeFlags.h"

namespace platform::linuxfs {
namespace {

namespace fs = std::filesystem;

TEST(DeviceInfo, decodeUdevName_table) {
    const std::pair<const char*, const char*> cases[] = {
        {"My\\x20Disk", "My Disk"},
        {"a\\x2fb", "a/b"},
        {"\\x5cx20", "\\x20"},
        {"tail\\x2", "tail\\x2"},
        {"bad\\xzz", "bad\\xzz"},
        {"\xD0\x94\xD0\xB8\xD1\x81\xD0\xBA", "Диск"},
        {"", ""},
    };
    for (const auto& [raw, decoded] : cases) EXPECT_EQ(decodeUdevName(raw), decoded) << raw;
}

TEST(DeviceInfo, serialFromUuid_takesFirst32Bits) {
    EXPECT_EQ(serialFromUuid("0f3a9c1e-55d2-4b7e-9a1c-123456789abc"), 0x0f3a9c1eu);
    EXPECT_EQ(serialFromUuid("ABCD-1234"), 0xABCD1234u);
    EXPECT_EQ(serialFromUuid("1A2B3C4D5E6F7081"), 0x1A2B3C4Du);
    EXPECT_EQ(serialFromUuid("12-34"), std::nullopt);
    EXPECT_EQ(serialFromUuid("not-a-uuid-at-all"), std::nullopt);
    EXPECT_EQ(serialFromUuid(""), std::nullopt);
}

TEST(DeviceInfo, classifyDriveType_table) {
    struct Case {
        const char* type;
        const char* source;
        DeviceFacts facts;
        std::uint32_t code;
    };
    const Case cases[] = {
        {"ext4", "/dev/sda1", {}, kDriveFixed},
        {"vfat", "/dev/sdb1", {true, false}, kDriveRemovable},
        {"exfat", "/dev/sdc1", {false, true}, kDriveRemovable},
        {"nfs4", "srv:/x", {}, kDriveRemote},
        {"fuse.sshfs", "me@h:/", {}, kDriveRemote},
        {"cifs", "//nas/share", {}, kDriveRemote},
        {"iso9660", "/dev/sr0", {true, false}, kDriveCdRom},
        {"udf", "/dev/sr0", {}, kDriveCdRom},
        {"tmpfs", "tmpfs", {}, kDriveRamDisk},
        {"ramfs", "none", {}, kDriveRamDisk},
        {"ext4", "/dev/zram1", {}, kDriveRamDisk},
        {"btrfs", "/dev/nvme0n1p2", {}, kDriveFixed},
    };
    for (const auto& c : cases) {
        MountRecord record;
        record.fsType = c.type;
        record.source = c.source;
        EXPECT_EQ(classifyDriveType(record, c.facts), c.code) << c.type << " " << c.source;
    }
}

TEST(DeviceInfo, volumeFlags_followTypeAndOptions) {
    constexpr auto kSensitive = kFileCaseSensitiveSearch | kFileCasePreservedNames;
    EXPECT_EQ(volumeFlags("ext4", "rw,relatime", "rw", 0), kSensitive | kFileSupportsHardLinks);
    EXPECT_EQ(volumeFlags("ext4", "ro,relatime", "rw", 0),
              kSensitive | kFileSupportsHardLinks | kFileReadOnlyVolume);
    EXPECT_EQ(volumeFlags("ext4", "rw", "rw", ST_RDONLY) & kFileReadOnlyVolume,
              kFileReadOnlyVolume);
    EXPECT_EQ(volumeFlags("xfs", "rw", "rw,usrquota", 0) & kFileVolumeQuotas, kFileVolumeQuotas);
    EXPECT_EQ(volumeFlags("ext4", "rw", "rw,usrjquota=aquota.user", 0) & kFileVolumeQuotas,
              kFileVolumeQuotas);
    EXPECT_EQ(volumeFlags("ext4", "rw,noquota", "rw", 0) & kFileVolumeQuotas, 0u);
    EXPECT_EQ(volumeFlags("vfat", "rw", "rw,shortname=mixed", 0),
              kFileCasePreservedNames | kFileUnicodeOnDisk);
    EXPECT_EQ(volumeFlags("msdos", "rw", "rw", 0), kFileUnicodeOnDisk);
    EXPECT_EQ(volumeFlags("ntfs3", "rw", "rw", 0) & kFileCaseSensitiveSearch, 0u);
}

class ScratchFolder : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(temp_.ready()); }
    static void write(const fs::path& file, const char* text) {
        fs::create_directories(file.parent_path());
        std::ofstream(file) << text;
    }
    TempDir temp_{"vollmark-devinfo"};
    const fs::path dir_ = temp_.path();
};

using DeviceFactsTest = ScratchFolder;

TEST_F(DeviceFactsTest, partitionOfRemovableUsbDisk_reportsBoth) {
    const fs::path disk = dir_ / "devices/pci0000:00/usb1/1-1/host6/block/sdb";
    write(disk / "removable", "1\n");
    write(disk / "sdb1/partition", "1\n");
    write(disk / "sdb1/removable", "0\n");
    fs::create_directories(dir_ / "dev/block");
    fs::create_directory_symlink(disk / "sdb1", dir_ / "dev/block/8:17");

    const auto facts = readDeviceFacts(dir_, makedev(8, 17));
    EXPECT_TRUE(facts.removable);
    EXPECT_TRUE(facts.onUsbBus);
}

TEST_F(DeviceFactsTest, fixedDiskOrMissingEntry_reportsNeither) {
    const fs::path disk = dir_ / "devices/pci0000:00/ata1/host0/block/sda";
    write(disk / "removable", "0\n");
    fs::create_directories(dir_ / "dev/block");
    fs::create_directory_symlink(disk, dir_ / "dev/block/8:0");

    for (dev_t device : {makedev(8, 0), makedev(9, 9)}) {
        const auto facts = readDeviceFacts(dir_, device);
        EXPECT_FALSE(facts.removable);
        EXPECT_FALSE(facts.onUsbBus);
    }
}

using DeviceLinkTest = ScratchFolder;

TEST_F(DeviceLinkTest, linkToDevice_givesDecodedName) {
    struct stat node {};
    if (stat("/dev/loop0", &node) != 0 || !S_ISBLK(node.st_mode))
        GTEST_SKIP() << "no /dev/loop0 block device to link to";
    fs::create_symlink("/dev/null", dir_ / "Other");
    fs::create_symlink("/dev/loop0", dir_ / "My\\x20Disk");

    EXPECT_EQ(deviceLinkName(dir_, node.st_rdev), "My Disk");
    EXPECT_EQ(deviceLinkName(dir_, makedev(250, 250)), std::nullopt);
    EXPECT_EQ(deviceLinkName(dir_ / "missing", node.st_rdev), std::nullopt);
}

}  // namespace
}  // namespace platform::linuxfs
