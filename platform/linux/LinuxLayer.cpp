#include "LinuxLayer.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "DriveLetters.h"
#include "MountFilter.h"
#include "MountInfo.h"
#include "NumberLocale.h"
#include "UniqueFd.h"
#include "VolumeFlags.h"

namespace platform {
namespace {

using namespace linuxfs;

// "C:\", "c:", "C:/": the slot of the letter; nullopt for anything else.
std::optional<std::size_t> slotOfRootPath(std::string_view rootPath) {
    if (rootPath.size() < 2 || rootPath.size() > 3 || rootPath[1] != ':') return std::nullopt;
    if (rootPath.size() == 3 && rootPath[2] != '\\' && rootPath[2] != '/') return std::nullopt;
    const char letter = rootPath[0];
    if (letter >= 'A' && letter <= 'Z') return letterSlot(letter);
    if (letter >= 'a' && letter <= 'z') return static_cast<std::size_t>(letter - 'a');
    return std::nullopt;
}

std::int64_t bytesOf(std::uint64_t count, std::uint64_t unit) {
    std::uint64_t bytes = 0;
    if (__builtin_mul_overflow(count, unit, &bytes) ||
        bytes > std::uint64_t(std::numeric_limits<std::int64_t>::max()))
        return std::numeric_limits<std::int64_t>::max();
    return static_cast<std::int64_t>(bytes);
}

std::optional<std::string> readWhole(int fd) {
    if (lseek(fd, 0, SEEK_SET) != 0) return std::nullopt;
    std::string text;
    std::array<char, 16384> chunk{};
    for (;;) {
        const ssize_t got = read(fd, chunk.data(), chunk.size());
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return std::nullopt;
        if (got == 0) return text;
        text.append(chunk.data(), static_cast<std::size_t>(got));
    }
}

// The kernel raises POLLPRI|POLLERR on an open mountinfo whenever a mount comes or goes in
// the namespace; the poll itself consumes the event.
bool kernelFlaggedChange(int fd) {
    pollfd entry{fd, POLLPRI, 0};
    return poll(&entry, 1, 0) > 0 && (entry.revents & (POLLPRI | POLLERR)) != 0;
}

class LinuxLayer : public OsLayer {
public:
    LinuxLayer(SystemPaths paths, std::chrono::milliseconds bound)
        : paths_(std::move(paths)), statvfs_(bound) {}

    std::optional<DiskSpace> diskFreeSpace(std::string_view rootPath) override {
        const Drive* drive = driveAt(rootPath);
        if (drive == nullptr) return std::nullopt;
        const auto stat = statOf(*drive);
        if (!stat) return std::nullopt;
        return DiskSpace{bytesOf(stat->f_blocks, stat->f_frsize),
                         bytesOf(stat->f_bavail, stat->f_frsize)};
    }

    std::optional<VolumeInformation> volumeInformation(std::string_view rootPath) override {
        const Drive* drive = driveAt(rootPath);
        if (drive == nullptr) return std::nullopt;
        const auto stat = statOf(*drive);
        if (!stat) return std::nullopt;
        const MountRecord* mount = &drive->mount;
        const auto device = blockDeviceOf(*mount);
        const auto label = device ? deviceLinkName(paths_.diskByLabel, *device) : std::nullopt;
        const auto uuid = device ? deviceLinkName(paths_.diskByUuid, *device) : std::nullopt;
        const auto serial = uuid ? serialFromUuid(*uuid) : std::nullopt;

        VolumeInformation info;
        info.volumeName = label.value_or(mount->mountPoint);
        info.fileSystemName = mount->fsType;
        info.serialNumber = serial.value_or(static_cast<std::uint32_t>(stat->f_fsid));
        info.maximumComponentLength = static_cast<std::uint32_t>(stat->f_namemax);
        info.fileSystemFlags =
            volumeFlags(mount->fsType, mount->mountOptions, mount->superOptions, stat->f_flag);
        return info;
    }

    std::uint32_t driveType(std::string_view rootPath) override {
        const Drive* drive = driveAt(rootPath);
        if (drive == nullptr) return kDriveNoRootDir;
        const auto device = blockDeviceOf(drive->mount);
        const DeviceFacts facts = device ? readDeviceFacts(paths_.sysfs, *device) : DeviceFacts{};
        return classifyDriveType(drive->mount, facts);
    }

    NumberSettings numberSettings() override { return readNumberSettings(); }

    std::optional<std::string> mountPoint(std::string_view rootPath) override {
        const Drive* drive = driveAt(rootPath);
        if (drive == nullptr) return std::nullopt;
        return drive->mount.mountPoint;
    }

private:
    struct Drive {
        MountRecord mount;
        // Local kernel file systems answer statfs from memory, so the call is made here
        // directly; the round trip through the helper process costs ten times as much.
        bool hangFree = false;
    };

    const Drive* driveAt(std::string_view rootPath) {
        const auto slot = slotOfRootPath(rootPath);
        if (!slot) return nullptr;
        syncTable();
        const auto& drive = drives_[*slot];
        return drive ? &*drive : nullptr;
    }

    std::optional<struct statvfs> statOf(const Drive& drive) {
        if (!drive.hangFree) return statvfs_.query(drive.mount.mountPoint);
        struct statvfs stat {};
        if (::statvfs(drive.mount.mountPoint.c_str(), &stat) != 0) return std::nullopt;
        return stat;
    }

    void syncTable() {
        if (!mountInfo_) {
            mountInfo_.reset(open(paths_.mountInfo.c_str(), O_RDONLY | O_CLOEXEC));
            loaded_ = false;
        }
        if (loaded_ && !kernelFlaggedChange(mountInfo_.get())) return;
        const auto text = mountInfo_ ? readWhole(mountInfo_.get()) : std::nullopt;
        if (!text) {
            // Without a mount table no drive answers; the next query tries again.
            mountInfo_.reset();
            drives_ = {};
            return;
        }
        loaded_ = true;
        const auto table = parseMountInfo(*text);
        install(selectDriveMounts(table), table);
    }

    // A file system of 0 blocks holds nothing; one that does not answer keeps its letter.
    bool hasNoBlocks(const Drive& drive) {
        if (isAutomountTrigger(drive.mount.fsType)) return false;
        const auto stat = statOf(drive);
        return stat && stat->f_blocks == 0;
    }

    void install(const std::vector<MountRecord>& mounts, const std::vector<MountRecord>& table) {
        std::vector<Drive> shown;
        for (const auto& mount : mounts) {
            Drive drive{mount, isHangFree(mount, table)};
            if (!hasNoBlocks(drive)) shown.push_back(std::move(drive));
        }
        std::vector<std::string> points;
        for (const auto& drive : shown) points.push_back(drive.mount.mountPoint);
        letters_ = assignDriveLetters(letters_, points);
        drives_ = {};
        for (std::size_t slot = 0; slot < letters_.size(); ++slot) {
            if (!letters_[slot]) continue;
            for (auto& drive : shown)
                if (drive.mount.mountPoint == *letters_[slot]) drives_[slot] = std::move(drive);
        }
    }

    SystemPaths paths_;
    TimedStatvfs statvfs_;
    UniqueFd mountInfo_;
    bool loaded_ = false;
    DriveLetters letters_;
    std::array<std::optional<Drive>, 26> drives_;
};

}  // namespace

std::unique_ptr<OsLayer> createLinuxLayer(SystemPaths paths, std::chrono::milliseconds bound) {
    return std::make_unique<LinuxLayer>(std::move(paths), bound);
}

std::unique_ptr<OsLayer> createSystemLayer() {
    return createLinuxLayer();
}

}  // namespace platform
