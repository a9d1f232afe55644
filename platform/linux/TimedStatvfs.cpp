#include "TimedStatvfs.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>

namespace platform::linuxfs {
namespace {

constexpr std::size_t kMaxPath = PATH_MAX;

struct Reply {
    int error = 0;
    struct statvfs result {};
};

void detachFromParent(int& channel) {
    if (channel < 3) channel = fcntl(channel, F_DUPFD, 3);
    close_range(3, static_cast<unsigned>(channel) - 1, 0);
    close_range(static_cast<unsigned>(channel) + 1, ~0U, 0);
    const int null = open("/dev/null", O_RDWR);
    for (int fd = 0; fd < 3; ++fd) dup2(null, fd);
    if (null > 2) close(null);
    setsid();
    if (chdir("/") != 0) _exit(1);
}

// Runs in the forked helper: async-signal-safe calls only, since the parent may have threads.
[[noreturn]] void serveRequests(int channel) {
    detachFromParent(channel);
    char path[kMaxPath + 1];
    for (;;) {
        const ssize_t length = recv(channel, path, kMaxPath, 0);
        if (length < 0 && errno == EINTR) continue;
        if (length <= 0) _exit(0);
        path[length] = '\0';
        Reply reply;
        reply.error = statvfs(path, &reply.result) == 0 ? 0 : errno;
        send(channel, &reply, sizeof reply, MSG_NOSIGNAL);
    }
}

UniqueFd spawnHelper() {
    int ends[2];
    if (socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, ends) != 0) return UniqueFd();
    UniqueFd ours(ends[0]);
    UniqueFd theirs(ends[1]);
    const pid_t child = fork();
    if (child < 0) return UniqueFd();
    if (child == 0) {
        if (fork() == 0) serveRequests(theirs.get());
        _exit(0);
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return ours;
}

bool waitReadable(int fd, std::chrono::milliseconds bound) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + bound;
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        pollfd entry{fd, POLLIN, 0};
        const int ready = poll(&entry, 1, static_cast<int>(std::max<long long>(left.count(), 0)));
        if (ready > 0) return true;
        if (ready == 0 || errno != EINTR) return false;
    }
}

bool isReadableNow(int fd) {
    pollfd entry{fd, POLLIN, 0};
    return poll(&entry, 1, 0) > 0;
}

}  // namespace

bool TimedStatvfs::isStuck(const std::string& path) {
    const auto entry = stuck_.find(path);
    if (entry == stuck_.end()) return false;
    if (!isReadableNow(entry->second.get())) return true;
    stuck_.erase(entry);
    return false;
}

TimedStatvfs::Sent TimedStatvfs::send(const std::string& path) {
    if (!helper_) helper_ = spawnHelper();
    if (!helper_) return Sent::refused;
    const ssize_t sent = ::send(helper_.get(), path.data(), path.size(), MSG_NOSIGNAL);
    if (sent == static_cast<ssize_t>(path.size())) return Sent::ok;
    helper_.reset();
    return Sent::helperGone;
}

std::optional<struct statvfs> TimedStatvfs::query(const std::string& path) {
    if (path.empty() || path.size() > kMaxPath || isStuck(path)) return std::nullopt;
    Sent sent = send(path);
    // A helper that died since the last call (killed, out of memory) gets one replacement.
    if (sent == Sent::helperGone) sent = send(path);
    if (sent != Sent::ok) return std::nullopt;

    if (!waitReadable(helper_.get(), bound_)) {
        stuck_[path] = std::move(helper_);
        return std::nullopt;
    }
    Reply reply;
    if (recv(helper_.get(), &reply, sizeof reply, 0) != static_cast<ssize_t>(sizeof reply)) {
        helper_.reset();
        return std::nullopt;
    }
    if (reply.error != 0) return std::nullopt;
    return reply.result;
}

}  // namespace platform::linuxfs
