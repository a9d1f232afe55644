#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The operating-system services the drive probe and the capacity arithmetic rest on. Every
// query is addressed by a drive's root path, "X:\", and answers what the Win32 call of the
// same purpose would: GetDiskFreeSpaceExA, GetVolumeInformationA, GetDriveTypeA and the
// locale's number separators. Texts are UTF-8.
namespace platform {

struct DiskSpace {
    std::int64_t totalBytes = 0;
    std::int64_t freeBytesForCaller = 0;  // honours quotas; not the volume-wide free count
};

struct VolumeInformation {
    std::string volumeName;
    std::string fileSystemName;
    std::uint32_t serialNumber = 0;
    std::uint32_t maximumComponentLength = 0;
    std::uint32_t fileSystemFlags = 0;
};

// The user's number settings as stored: nullopt when a setting cannot be read, an empty
// string when it is set to nothing. Callers take the first character.
struct NumberSettings {
    std::optional<std::string> thousandsSeparator;
    std::optional<std::string> decimalSeparator;
};

// A real file system the layer found but could not give a letter (more of them than letters).
struct MountWithoutLetter {
    std::string mountPoint;
    std::string fileSystemName;
    std::int64_t totalBytes = 0;
    std::int64_t freeBytesForCaller = 0;
};

// Win32 drive type codes, as GetDriveTypeA returns them.
enum DriveTypeCode : std::uint32_t {
    kDriveUnknown = 0,
    kDriveNoRootDir = 1,
    kDriveRemovable = 2,
    kDriveFixed = 3,
    kDriveRemote = 4,
    kDriveCdRom = 5,
    kDriveRamDisk = 6,
};

class OsLayer {
public:
    virtual ~OsLayer() = default;

    // nullopt when the drive does not answer (no such drive, no medium, unreachable, hung).
    virtual std::optional<DiskSpace> diskFreeSpace(std::string_view rootPath) = 0;
    virtual std::optional<VolumeInformation> volumeInformation(std::string_view rootPath) = 0;
    virtual std::uint32_t driveType(std::string_view rootPath) = 0;
    virtual NumberSettings numberSettings() = 0;

    // Where the drive lives in the host's own namespace (a mount point on Linux); Windows
    // drives have nothing beyond their root path, hence the default.
    virtual std::optional<std::string> mountPoint(std::string_view rootPath) {
        (void)rootPath;
        return std::nullopt;
    }

    // What the drive is made from: the device or the remote share. nullopt where the system
    // does not say.
    virtual std::optional<std::string> source(std::string_view rootPath) {
        (void)rootPath;
        return std::nullopt;
    }

    // File systems left without a letter; Windows drives always have one.
    virtual std::vector<MountWithoutLetter> mountsWithoutLetter() { return {}; }

    // Brackets one scan of the drives (a rescan, a repaint, one run of the tool). Inside, a
    // layer may answer every query of one drive from a single system call and look at the
    // mount table once; outside, each query asks the system afresh. Calls nest.
    virtual void beginScan() {}
    virtual void endScan() {}
};

// Holds the current layer's scan open for its lifetime.
class ScanScope {
public:
    ScanScope();
    ~ScanScope();
    ScanScope(const ScanScope&) = delete;
    ScanScope& operator=(const ScanScope&) = delete;

private:
    OsLayer& layer_;
};

// The layer of the operating system the program was built for; CMake picks its source file.
std::unique_ptr<OsLayer> createSystemLayer();

// The layer every query goes through. Each program installs one at start and each test its
// fake: asking before that throws std::logic_error, so a test that forgets its fake fails
// instead of reading the host's drives.
OsLayer& currentLayer();

// Installs a layer and hands back the one it replaces, so a test can put it back.
std::unique_ptr<OsLayer> installLayer(std::unique_ptr<OsLayer> layer);

}  // namespace platform
