#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "HistoryPath.h"

namespace history {
namespace {

HistoryError Failure(const std::string& path, int error) {
    return HistoryError{path + ": " + std::strerror(error)};
}

// Each missing folder on the way is made for the user alone, as the XDG base directory rules
// ask of the state folder.
std::optional<HistoryError> MakeFolders(const std::string& folder) {
    for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        const std::string part = folder.substr(0, slash);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return Failure(part, errno);
        if (slash == std::string::npos) return std::nullopt;
    }
}

}  // namespace

std::optional<std::string> DefaultHistoryFile(const Environment& environment) {
    const auto state = environment("XDG_STATE_HOME");
    if (state && state->starts_with('/')) return *state + "/vollmark/history.sqlite";
    const auto home = environment("HOME");
    if (!home || !home->starts_with('/')) return std::nullopt;
    return *home + "/.local/state/vollmark/history.sqlite";
}

std::optional<HistoryError> PrepareHistoryFile(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash != std::string::npos && slash > 0)
        if (auto error = MakeFolders(path.substr(0, slash))) return error;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) {
        ::close(fd);
        return std::nullopt;
    }
    if (errno == EEXIST) return std::nullopt;
    return Failure(path, errno);
}

}  // namespace history
