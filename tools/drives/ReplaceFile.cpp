#include "ReplaceFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "PosixIo.h"
#include "TextEscapes.h"

namespace drives {
namespace {

std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// mkstemp creates the file for its owner only; a finished file gets the mode a plain
// creation would have given it.
bool SetCreationMode(int fd) {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return ::fchmod(fd, 0666 & ~mask) == 0;
}

bool Fill(int fd, std::string_view contents) {
    return SetCreationMode(fd) && platform::posix::writeAll(fd, contents) && ::fsync(fd) == 0;
}

std::string Failure(const std::string& path, int error) {
    return "cannot write " + TableText(path) + ": " + std::strerror(error);
}

}  // namespace

std::optional<std::string> ReplaceFile(const std::string& path, std::string_view contents) {
    if (path.empty() || path.back() == '/') return Failure(path, EISDIR);
    // A fixed name: one built from the target's could pass the file-name length limit.
    std::string temporary = FolderOf(path) + "/.vollmark-drives-XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) return Failure(path, errno);
    bool done = Fill(fd, contents);
    int error = done ? 0 : errno;
    if (::close(fd) != 0 && done) {
        done = false;
        error = errno;
    }
    if (done && ::rename(temporary.c_str(), path.c_str()) != 0) {
        done = false;
        error = errno;
    }
    if (done) return std::nullopt;
    ::unlink(temporary.c_str());
    return Failure(path, error);
}

}  // namespace drives
