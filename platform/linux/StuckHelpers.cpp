#include "StuckHelpers.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdio>
#include <cstdlib>

#include "PosixIo.h"

namespace platform::linuxfs {
namespace {

// Fields after the command name's closing parenthesis: state is the first (field 3 in
// proc(5)), start time field 22.
constexpr std::size_t kStartTimeAfterName = 19;
constexpr std::size_t kMaxRecordSize = PATH_MAX + 64;

std::optional<std::string_view> fieldAt(std::string_view text, std::size_t index) {
    std::size_t start = 0;
    for (std::size_t field = 0;; ++field) {
        while (start < text.size() && text[start] == ' ') ++start;
        if (start >= text.size()) return std::nullopt;
        std::size_t end = text.find(' ', start);
        if (end == std::string_view::npos) end = text.size();
        if (field == index) return text.substr(start, end - start);
        start = end;
    }
}

std::string defaultFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && runtime[0] == '/') return std::string(runtime) + "/vollmark";
    return "/tmp/vollmark-" + std::to_string(geteuid());
}

// Made 0700 if missing; an existing one must already be ours alone, since a folder someone
// else can write to would let them plant records or read which mounts hang.
bool isPrivateFolder(const std::string& folder) {
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return false;
    struct stat info {};
    if (lstat(folder.c_str(), &info) != 0) return false;
    return S_ISDIR(info.st_mode) && info.st_uid == geteuid() && (info.st_mode & 077) == 0;
}

std::uint64_t fnv1a(std::string_view text) {
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (unsigned char c : text) hash = (hash ^ c) * 0x100000001b3ULL;
    return hash;
}

bool isWaiting(const StuckHelper& record) {
    const auto stamp = stampOf(record.pid);
    return stamp && stamp->startTime == record.startTime && stamp->state != 'Z' &&
           stamp->state != 'X';
}

}  // namespace

std::optional<ProcessStamp> parseProcessStat(std::string_view text) {
    const std::size_t close = text.rfind(')');
    if (close == std::string_view::npos) return std::nullopt;
    const std::string_view rest = text.substr(close + 1);
    const auto state = fieldAt(rest, 0);
    const auto start = fieldAt(rest, kStartTimeAfterName);
    if (!state || state->size() != 1 || !start) return std::nullopt;
    std::string_view startText = *start;
    if (!startText.empty() && startText.back() == '\n') startText.remove_suffix(1);
    const auto startTime = posix::parseNumber<std::uint64_t>(startText);
    if (!startTime) return std::nullopt;
    return ProcessStamp{state->front(), *startTime};
}

std::string formatStuckHelper(const StuckHelper& helper) {
    return std::to_string(helper.pid) + ' ' + std::to_string(helper.startTime) + '\n' +
           helper.mountPoint;
}

std::optional<StuckHelper> parseStuckHelper(std::string_view text) {
    const std::size_t newline = text.find('\n');
    if (newline == std::string_view::npos) return std::nullopt;
    const std::string_view head = text.substr(0, newline);
    const std::size_t space = head.find(' ');
    if (space == std::string_view::npos) return std::nullopt;
    const auto pid = posix::parseNumber<pid_t>(head.substr(0, space));
    const auto startTime = posix::parseNumber<std::uint64_t>(head.substr(space + 1));
    const std::string_view mountPoint = text.substr(newline + 1);
    if (!pid || *pid <= 0 || !startTime || mountPoint.empty()) return std::nullopt;
    return StuckHelper{std::string(mountPoint), *pid, *startTime};
}

std::optional<ProcessStamp> stampOf(pid_t pid) {
    const std::string path = "/proc/" + std::to_string(pid) + "/stat";
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    const auto text = posix::readToEnd(fd, kMaxRecordSize);
    close(fd);
    return text ? parseProcessStat(*text) : std::nullopt;
}

StuckHelperRecords::StuckHelperRecords(std::string folder)
    : folder_(folder.empty() ? defaultFolder() : std::move(folder)) {}

bool StuckHelperRecords::usable() {
    if (!usable_) usable_ = isPrivateFolder(folder_);
    return *usable_;
}

std::string StuckHelperRecords::recordPath(std::string_view mountPoint) const {
    char name[32];
    std::snprintf(name, sizeof name, "/stuck-%016llx",
                  static_cast<unsigned long long>(fnv1a(mountPoint)));
    return folder_ + name;
}

std::optional<StuckHelper> StuckHelperRecords::read(std::string_view mountPoint) {
    if (!usable()) return std::nullopt;
    const int fd = open(recordPath(mountPoint).c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat info {};
    const bool ours = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == geteuid() &&
                      (info.st_mode & 022) == 0;
    const auto text = ours ? posix::readToEnd(fd, kMaxRecordSize) : std::nullopt;
    close(fd);
    auto record = text ? parseStuckHelper(*text) : std::nullopt;
    // Two mount points whose names hash alike share a file; the record names its own.
    if (record && record->mountPoint != mountPoint) return std::nullopt;
    return record;
}

bool StuckHelperRecords::isStuck(std::string_view mountPoint) {
    const auto record = read(mountPoint);
    if (!record) return false;
    if (isWaiting(*record)) return true;
    unlink(recordPath(mountPoint).c_str());
    return false;
}

void StuckHelperRecords::remember(std::string_view mountPoint, pid_t pid) {
    const auto stamp = stampOf(pid);
    if (!usable() || !stamp) return;
    const std::string text = formatStuckHelper({std::string(mountPoint), pid, stamp->startTime});
    std::string temporary = folder_ + "/.stuck-XXXXXX";
    const int fd = mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) return;
    const bool written = posix::writeAll(fd, text);
    const bool closed = close(fd) == 0;
    // Readers only ever see a whole record or none: the name appears by rename.
    if (!written || !closed || rename(temporary.c_str(), recordPath(mountPoint).c_str()) != 0)
        unlink(temporary.c_str());
}

void StuckHelperRecords::forget(std::string_view mountPoint, pid_t pid) {
    const auto record = read(mountPoint);
    if (record && record->pid == pid) unlink(recordPath(mountPoint).c_str());
}

}  // namespace platform::linuxfs
