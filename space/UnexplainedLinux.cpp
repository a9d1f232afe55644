#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cctype>
#include <set>

#include "Unexplained.h"
#include "linux/MountInfo.h"
#include "linux/TimedStatvfs.h"
#include "linux/UniqueFd.h"

namespace space {
namespace {

using platform::linuxfs::UniqueFd;

std::string ReadAt(int folder, const std::string& name) {
    const UniqueFd fd(::openat(folder, name.c_str(), O_RDONLY | O_CLOEXEC));
    std::string text;
    if (!fd) return text;
    char buffer[4096];
    for (ssize_t got; (got = ::read(fd.get(), buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<std::size_t>(got));
    return text;
}

std::optional<std::string> LinkAt(int folder, const char* name) {
    char buffer[PATH_MAX + 16];
    const ssize_t got = ::readlinkat(folder, name, buffer, sizeof buffer);
    if (got <= 0 || static_cast<std::size_t>(got) >= sizeof buffer) return std::nullopt;
    return std::string(buffer, static_cast<std::size_t>(got));
}

bool IsNumber(const char* name) {
    if (*name == '\0') return false;
    for (; *name; ++name)
        if (!std::isdigit(static_cast<unsigned char>(*name))) return false;
    return true;
}

// Every mount of the device, bind mounts included: a descriptor's mount id tells where the
// file lies without asking its file system anything, so a hung mount is never touched.
std::set<int> MountsOf(dev_t device) {
    std::set<int> ids;
    const std::string table = ReadAt(AT_FDCWD, "/proc/self/mountinfo");
    for (const auto& mount : platform::linuxfs::parseMountInfo(table))
        if (mount.major == major(device) && mount.minor == minor(device)) ids.insert(mount.mountId);
    return ids;
}

struct Search {
    dev_t device;
    std::set<int> mounts;
    std::set<ino_t> seen;  // a file open in several places counts once
    std::vector<DeletedOpenFile> found;
};

void SearchProcess(int proc, const char* pid, Search& search) {
    const std::string base(pid);
    const UniqueFd fds(::openat(proc, (base + "/fd").c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fds) return;  // another user's process, or one that just ended
    DIR* listing = ::fdopendir(::dup(fds.get()));
    if (!listing) return;
    while (const dirent* entry = ::readdir(listing)) {
        if (!IsNumber(entry->d_name)) continue;
        const auto link = LinkAt(fds.get(), entry->d_name);
        const auto path = link ? DeletedTarget(*link) : std::nullopt;
        if (!path) continue;
        const auto mount = MountIdIn(ReadAt(proc, base + "/fdinfo/" + entry->d_name));
        if (!mount || !search.mounts.contains(*mount)) continue;
        struct stat file {};
        if (::fstatat(fds.get(), entry->d_name, &file, 0) != 0 || file.st_dev != search.device ||
            file.st_nlink != 0 || !search.seen.insert(file.st_ino).second)
            continue;
        std::string process = ReadAt(proc, base + "/comm");
        if (!process.empty() && process.back() == '\n') process.pop_back();
        search.found.push_back({std::stoll(base), std::move(process), *path,
                                static_cast<std::uint64_t>(file.st_blocks) * 512});
    }
    ::closedir(listing);
}

}  // namespace

std::optional<FileSystemFigures> FiguresOf(const std::string& root) {
    platform::linuxfs::TimedStatvfs statvfs;
    const auto figures = statvfs.query(root);
    if (!figures) return std::nullopt;
    const std::uint64_t unit = figures->f_frsize ? figures->f_frsize : figures->f_bsize;
    const std::uint64_t total = figures->f_blocks * unit;
    const std::uint64_t available = figures->f_bavail * unit;
    const std::uint64_t free = figures->f_bfree * unit;
    return FileSystemFigures{total > available ? total - available : 0,
                             free > available ? free - available : 0};
}

std::vector<DeletedOpenFile> DeletedOpenFilesOn(const std::string& root) {
    struct stat rootStat {};
    if (::stat(root.c_str(), &rootStat) != 0) return {};
    Search search{rootStat.st_dev, MountsOf(rootStat.st_dev), {}, {}};
    if (search.mounts.empty()) return {};
    const UniqueFd proc(::open("/proc", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    DIR* processes = proc ? ::fdopendir(::dup(proc.get())) : nullptr;
    if (!processes) return {};
    while (const dirent* entry = ::readdir(processes))
        if (IsNumber(entry->d_name)) SearchProcess(proc.get(), entry->d_name, search);
    ::closedir(processes);
    return std::move(search.found);
}

}  // namespace space
