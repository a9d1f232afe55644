#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstring>
#include <fstream>
#include <sstream>

#include "Walk.h"
#include "linux/MountInfo.h"

namespace scan::walk {

struct FolderHandle {
    explicit FolderHandle(int fd, dev_t device) : fd(fd), device(device) {}
    FolderHandle(const FolderHandle&) = delete;
    FolderHandle& operator=(const FolderHandle&) = delete;
    ~FolderHandle() { ::close(fd); }
    const int fd;
    const dev_t device;  // of the scanned file system: a folder on another one is left out
};

namespace {

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
// Large enough for a few hundred names per call, small enough to sit on a worker's stack.
constexpr std::size_t kListingBuffer = 32 * 1024;

// The head of the kernel's getdents64 record (glibc has no wrapper in the version we build
// with); the name, NUL-terminated, starts at d_name and runs past the struct.
struct LinuxDirent64 {
    ino64_t d_ino;
    off64_t d_off;
    unsigned short d_reclen;
    unsigned char d_type;
    char d_name[1];
};

std::string Text(const std::string& path, const char* what) {
    return path + ": " + what + ": " + std::strerror(errno);
}

// Mount points strictly below `root`, split into names.
std::vector<std::vector<std::string>> MountPointsBelow(const std::string& root) {
    std::ifstream file("/proc/self/mountinfo");
    std::stringstream text;
    text << file.rdbuf();
    const std::string prefix = root == "/" ? "/" : root + "/";
    std::vector<std::vector<std::string>> below;
    for (const auto& mount : platform::linuxfs::parseMountInfo(text.str())) {
        if (mount.mountPoint.size() <= prefix.size() || !mount.mountPoint.starts_with(prefix))
            continue;
        std::vector<std::string> names;
        std::string_view rest = std::string_view(mount.mountPoint).substr(prefix.size());
        while (!rest.empty()) {
            const auto slash = rest.find('/');
            if (slash != 0) names.emplace_back(rest.substr(0, slash));
            if (slash == std::string_view::npos) break;
            rest.remove_prefix(slash + 1);
        }
        if (!names.empty()) below.push_back(std::move(names));
    }
    return below;
}

std::uint64_t Allocated(const struct stat& st) {
    return static_cast<std::uint64_t>(st.st_blocks) * 512;
}

}  // namespace

std::variant<OpenedRoot, ScanError> OpenRoot(const std::string& path) {
    const int fd = ::open(path.c_str(), kFolderFlags & ~O_NOFOLLOW);
    if (fd < 0) {
        const bool missing = errno == ENOENT || errno == ENOTDIR || errno == ELOOP;
        return ScanError{missing ? ScanError::Kind::notAFolder : ScanError::Kind::unreadable,
                         Text(path, missing ? "not a folder" : "cannot open")};
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        const std::string message = Text(path, "cannot size");
        ::close(fd);
        return ScanError{ScanError::Kind::unreadable, message};
    }
    OpenedRoot root;
    root.handle = std::make_shared<FolderHandle>(fd, st.st_dev);
    root.allocatedBytes = Allocated(st);
    root.apparentBytes = static_cast<std::uint64_t>(st.st_size);
    // The mount table names mount points by their real path.
    char* real = ::realpath(path.c_str(), nullptr);
    if (!real) return ScanError{ScanError::Kind::unreadable, Text(path, "cannot resolve")};
    root.path = real;
    ::free(real);
    root.mountPoints = MountPointsBelow(root.path);
    return root;
}

Handle OpenChild(const FolderHandle& parent, const Node& node, bool& vanished) {
    const int fd = ::openat(parent.fd, node.name.c_str(), kFolderFlags);
    if (fd < 0) {
        // Gone, or replaced by something that is not a folder, since it was listed.
        vanished = errno == ENOENT || errno == ENOTDIR || errno == ELOOP;
        return nullptr;
    }
    return std::make_shared<FolderHandle>(fd, parent.device);
}

void List(const FolderHandle& folder, Node& node, Sink& sink) {
    alignas(LinuxDirent64) char buffer[kListingBuffer];
    for (;;) {
        const long got = ::syscall(SYS_getdents64, folder.fd, buffer, sizeof buffer);
        if (got < 0) {
            node.unreadable = true;
            return;
        }
        if (got == 0) return;
        std::uint64_t seen = 0;
        for (long at = 0; at < got;) {
            const auto* entry = reinterpret_cast<const LinuxDirent64*>(buffer + at);
            const char* name = buffer + at + offsetof(LinuxDirent64, d_name);
            at += entry->d_reclen;
            if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0))) continue;
            ++seen;
            if (sink.Cancelled()) return;
            if (IsExcluded(node, name)) continue;
            struct stat st {};
            if (::fstatat(folder.fd, name, &st, AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT) != 0) {
                if (errno != ENOENT) node.unreadable = true;
                continue;
            }
            const auto apparent = static_cast<std::uint64_t>(st.st_size);
            if (S_ISDIR(st.st_mode)) {
                if (st.st_dev == folder.device) sink.Folder(node, name, Allocated(st), apparent);
                continue;
            }
            const Link link{st.st_dev, st.st_ino, st.st_nlink};
            sink.File(node, name, Allocated(st), apparent, st.st_nlink > 1 ? &link : nullptr);
        }
        sink.Seen(seen);
    }
}

}  // namespace scan::walk
