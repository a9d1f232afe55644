#include "LinuxLayer.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <limits>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "DriveLetters.h"
#include "MountFilter.h"
#include "MountInfo.h"
#include "NumberLocale.h"
#include "PosixIo.h"
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
    return posix::readToEnd(fd);
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
        : paths_(std::move(paths)), statvfs_(bound, paths_.stuckHelperRecords) {}

    std::optional<DiskSpace> diskFreeSpace(std::string_view rootPath) override {
        const Drive* drive = driveAt(rootPath);
        if (drive == nullptr) return std::nullopt;
        const auto stat = statOf(drive->mount);
        if (!stat) return std::nullopt;
        return spaceOf(*stat);
    }

    std::optional<VolumeInformation> volumeInformation(std::string_view rootPath) override {
        const Drive* drive = driveAt(rootPath);
        if (drive == nullptr) return std::nullopt;
        const auto& point = drive->mount.mountPoint;
        if (const auto known = volumes_.find(point); known != volumes_.end()) return known->second;
        return volumes_[point] = readVolume(drive->mount);
    }

    std::uint32_t driveType(std::string_view rootPath) override {
        const Drive* drive = driveAt(rootPath);
        if (drive == nullptr) return kDriveNoRootDir;
        const auto& point = drive->mount.mountPoint;
        if (const auto known = types_.find(point); known != types_.end()) return known->second;
        const auto device = blockDeviceOf(drive->mount);
        const DeviceFacts facts = device ? readDeviceFacts(paths_.sysfs, *device) : DeviceFacts{};
        return types_[point] = classifyDriveType(drive->mount, facts);
    }

    NumberSettings numberSettings() override { return readNumberSettings(); }

    std::optional<std::string> mountPoint(std::string_view rootPath) override {
        const Drive* drive = driveAt(rootPath);
        if (drive == nullptr) return std::nullopt;
        return drive->mount.mountPoint;
    }

    std::optional<std::string> source(std::string_view rootPath) override {
        const Drive* drive = driveAt(rootPath);
        if (drive == nullptr) return std::nullopt;
        return drive->mount.source;
    }

    std::vector<MountWithoutLetter> mountsWithoutLetter() override {
        prepareQuery();
        if (scanDepth_ > 0)
            statAllShown();
        else
            statAll(unlettered_);
        std::vector<MountWithoutLetter> mounts;
        for (const auto& drive : unlettered_) {
            const auto stat = statOf(drive.mount);
            const DiskSpace space = stat ? spaceOf(*stat) : DiskSpace{};
            mounts.push_back({drive.mount.mountPoint, drive.mount.fsType, space.totalBytes,
                              space.freeBytesForCaller});
        }
        return mounts;
    }

    void beginScan() override {
        if (scanDepth_++ > 0) return;
        tableCheckedInScan_ = false;
        forgetAnswers();
    }

    void endScan() override {
        if (scanDepth_ == 0 || --scanDepth_ > 0) return;
        forgetAnswers();
    }

private:
    struct Drive {
        MountRecord mount;
        // Local kernel file systems answer statfs from memory, so the call is made here
        // directly; the round trip through a helper process costs ten times as much.
        bool hangFree = false;
    };

    std::optional<VolumeInformation> readVolume(const MountRecord& mount) {
        const auto stat = statOf(mount);
        if (!stat) return std::nullopt;
        const auto device = blockDeviceOf(mount);
        const auto label = device ? deviceLinkName(paths_.diskByLabel, *device) : std::nullopt;
        const auto uuid = device ? deviceLinkName(paths_.diskByUuid, *device) : std::nullopt;
        const auto serial = uuid ? serialFromUuid(*uuid) : std::nullopt;

        VolumeInformation info;
        info.volumeName = label.value_or(mount.mountPoint);
        info.fileSystemName = mount.fsType;
        info.serialNumber = serial.value_or(static_cast<std::uint32_t>(stat->f_fsid));
        info.maximumComponentLength = static_cast<std::uint32_t>(stat->f_namemax);
        info.fileSystemFlags =
            volumeFlags(mount.fsType, mount.mountOptions, mount.superOptions, stat->f_flag);
        return info;
    }

    // Answers are kept for the current query, or for the whole scan inside one.
    void forgetAnswers() {
        stats_.clear();
        volumes_.clear();
    }

    static DiskSpace spaceOf(const struct statvfs& stat) {
        return DiskSpace{bytesOf(stat.f_blocks, stat.f_frsize),
                         bytesOf(stat.f_bavail, stat.f_frsize)};
    }

    const Drive* driveAt(std::string_view rootPath) {
        const auto slot = slotOfRootPath(rootPath);
        if (!slot) return nullptr;
        prepareQuery();
        const auto& drive = drives_[*slot];
        return drive ? &*drive : nullptr;
    }

    // Outside a scan every query reads afresh; inside one, the mount table is checked by the
    // first query and each file system is statted once, so all figures of a scan agree.
    void prepareQuery() {
        if (scanDepth_ == 0) {
            forgetAnswers();
            syncTable();
            return;
        }
        if (tableCheckedInScan_) return;
        tableCheckedInScan_ = true;
        syncTable();
    }

    std::optional<struct statvfs> statOf(const MountRecord& mount) {
        const auto known = stats_.find(mount.mountPoint);
        if (known != stats_.end()) return known->second;
        if (!isHangFree(mount)) {
            // The first hang-prone drive of a scan asks about all of them at once, so that
            // several hung mounts cost one bound between them.
            if (scanDepth_ > 0) statAllShown();
            if (const auto asked = stats_.find(mount.mountPoint); asked != stats_.end())
                return asked->second;
            return stats_[mount.mountPoint] = statvfs_.query(mount.mountPoint);
        }
        struct statvfs stat {};
        std::optional<struct statvfs> result;
        if (::statvfs(mount.mountPoint.c_str(), &stat) == 0) result = stat;
        return stats_[mount.mountPoint] = result;
    }

    bool isHangFree(const MountRecord& mount) const {
        return linuxfs::isHangFree(mount, hangPronePoints_);
    }

    // The mounts without a letter come along, so that listing them later in the scan does not
    // cost a second wait.
    void statAllShown() {
        std::vector<Drive> shown = unlettered_;
        for (const auto& drive : drives_)
            if (drive) shown.push_back(*drive);
        statAll(shown);
    }

    // Hang-prone mounts not yet known in this query or scan are asked side by side.
    void statAll(const std::vector<Drive>& drives) {
        std::vector<std::string> paths;
        std::set<std::string_view> listed;
        for (const auto& drive : drives) {
            const auto& point = drive.mount.mountPoint;
            if (drive.hangFree || isAutomountTrigger(drive.mount.fsType) || stats_.contains(point))
                continue;
            if (listed.insert(point).second) paths.push_back(point);
        }
        if (paths.empty()) return;
        auto results = statvfs_.queryAll(paths);
        for (std::size_t i = 0; i < paths.size(); ++i) stats_[paths[i]] = std::move(results[i]);
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
            unlettered_.clear();
            types_.clear();
            return;
        }
        loaded_ = true;
        const auto table = parseMountInfo(*text);
        hangPronePoints_ = hangProneMountPoints(table);
        install(selectDriveMounts(table));
    }

    // A file system of 0 blocks holds nothing; one that does not answer keeps its letter.
    bool hasNoBlocks(const Drive& drive) {
        if (isAutomountTrigger(drive.mount.fsType)) return false;
        const auto stat = statOf(drive.mount);
        return stat && stat->f_blocks == 0;
    }

    void install(const std::vector<MountRecord>& mounts) {
        std::vector<Drive> candidates;
        for (const auto& mount : mounts) candidates.push_back({mount, isHangFree(mount)});
        statAll(candidates);
        std::vector<Drive> shown;
        for (auto& drive : candidates)
            if (!hasNoBlocks(drive)) shown.push_back(std::move(drive));

        std::vector<std::string> points;
        for (const auto& drive : shown) points.push_back(drive.mount.mountPoint);
        letters_ = assignDriveLetters(letters_, points);
        std::map<std::string_view, std::size_t> slotOf;
        for (std::size_t slot = 0; slot < letters_.size(); ++slot)
            if (letters_[slot]) slotOf.emplace(*letters_[slot], slot);

        drives_ = {};
        unlettered_.clear();
        // A mount's type rests on its record and its device's sysfs entry, neither of which
        // changes while it stays mounted; kept until the table changes, so repaints skip sysfs.
        types_.clear();
        for (auto& drive : shown) {
            const auto slot = slotOf.find(drive.mount.mountPoint);
            if (slot != slotOf.end() && !drives_[slot->second])
                drives_[slot->second] = std::move(drive);
            else
                unlettered_.push_back(std::move(drive));
        }
        std::ranges::sort(unlettered_, naturalLess, [](const Drive& drive) -> std::string_view {
            return drive.mount.mountPoint;
        });
    }

    SystemPaths paths_;
    TimedStatvfs statvfs_;
    UniqueFd mountInfo_;
    bool loaded_ = false;
    DriveLetters letters_;
    std::array<std::optional<Drive>, 26> drives_;
    std::vector<Drive> unlettered_;
    MountPointSet hangPronePoints_;
    int scanDepth_ = 0;
    bool tableCheckedInScan_ = false;
    std::map<std::string, std::optional<struct statvfs>, std::less<>> stats_;
    std::map<std::string, std::optional<VolumeInformation>, std::less<>> volumes_;
    std::map<std::string, std::uint32_t, std::less<>> types_;
};

}  // namespace

std::unique_ptr<OsLayer> createLinuxLayer(SystemPaths paths, std::chrono::milliseconds bound) {
    return std::make_unique<LinuxLayer>(std::move(paths), bound);
}

std::unique_ptr<OsLayer> createSystemLayer() {
    return createLinuxLayer();
}

}  // namespace platform
