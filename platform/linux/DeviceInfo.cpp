#include "DeviceInfo.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <string_view>

#include "MountFilter.h"
#include "OsLayer.h"
#include "UniqueFd.h"

namespace platform::linuxfs {
namespace {

std::optional<int> hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return std::nullopt;
}

// sysfs attributes are one short line. No stream: a file stream sets up the C++ locale, whose
// code is most of what the command-line tool maps and a good part of its start-up.
std::string readFirstLine(const std::string& path) {
    const UniqueFd fd(open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd) return {};
    char buffer[256];
    const ssize_t got = read(fd.get(), buffer, sizeof buffer);
    if (got <= 0) return {};
    const std::string_view text(buffer, static_cast<std::size_t>(got));
    return std::string(text.substr(0, text.find('\n')));
}

std::optional<std::string> canonicalPath(const std::string& path) {
    std::unique_ptr<char, decltype(&std::free)> resolved(realpath(path.c_str(), nullptr),
                                                         &std::free);
    if (!resolved) return std::nullopt;
    return std::string(resolved.get());
}

struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};

std::string parentDirectory(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos || slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

std::string decodeUdevName(std::string_view name) {
    std::string out;
    out.reserve(name.size());
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (name[i] == '\\' && i + 3 < name.size() && name[i + 1] == 'x') {
            const auto high = hexValue(name[i + 2]);
            const auto low = hexValue(name[i + 3]);
            if (high && low) {
                out.push_back(static_cast<char>(*high * 16 + *low));
                i += 3;
                continue;
            }
        }
        out.push_back(name[i]);
    }
    return out;
}

std::optional<std::uint32_t> serialFromUuid(std::string_view uuid) {
    std::uint32_t serial = 0;
    int digits = 0;
    for (char c : uuid) {
        if (c == '-') continue;
        const auto value = hexValue(c);
        if (!value) return std::nullopt;
        if (digits < 8) serial = serial << 4 | static_cast<std::uint32_t>(*value);
        ++digits;
    }
    if (digits < 8) return std::nullopt;
    return serial;
}

std::optional<dev_t> blockDeviceOf(const MountRecord& record) {
    struct stat node {};
    if (record.source.starts_with("/dev/") && stat(record.source.c_str(), &node) == 0 &&
        S_ISBLK(node.st_mode))
        return node.st_rdev;
    if (record.major == 0) return std::nullopt;
    return makedev(record.major, record.minor);
}

std::optional<std::string> deviceLinkName(const std::string& directory, dev_t device) {
    const std::unique_ptr<DIR, DirCloser> dir(opendir(directory.c_str()));
    if (!dir) return std::nullopt;
    while (const dirent* entry = readdir(dir.get())) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        struct stat node {};
        if (stat((directory + "/" + name).c_str(), &node) != 0) continue;
        if (S_ISBLK(node.st_mode) && node.st_rdev == device) return decodeUdevName(name);
    }
    return std::nullopt;
}

DeviceFacts readDeviceFacts(const std::string& sysfs, dev_t device) {
    const std::string link =
        sysfs + "/dev/block/" + std::to_string(major(device)) + ":" + std::to_string(minor(device));
    const auto path = canonicalPath(link);
    if (!path) return {};
    DeviceFacts facts;
    facts.onUsbBus = path->find("/usb") != std::string::npos;
    const bool partition = access((*path + "/partition").c_str(), F_OK) == 0;
    const std::string disk = partition ? parentDirectory(*path) : *path;
    facts.removable = readFirstLine(disk + "/removable") == "1" ||
                      (partition && readFirstLine(*path + "/removable") == "1");
    return facts;
}

std::uint32_t classifyDriveType(const MountRecord& record, const DeviceFacts& facts) {
    if (isNetworkMount(record)) return kDriveRemote;
    if (isOpticalFileSystem(record.fsType)) return kDriveCdRom;
    if (isRamFileSystem(record)) return kDriveRamDisk;
    if (facts.removable || facts.onUsbBus) return kDriveRemovable;
    return kDriveFixed;
}

}  // namespace platform::linuxfs
