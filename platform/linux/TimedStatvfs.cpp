#include "TimedStatvfs.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>

namespace platform::linuxfs {
namespace {

constexpr std::size_t kMaxPath = PATH_MAX;
// Enough for the hang-prone mounts of a usual machine; a larger batch forks what it needs and
// lets the surplus go.
constexpr std::size_t kMaxIdleHelpers = 8;
// A table of thousands of network mounts must not fork thousands of processes at once.
constexpr std::size_t kMaxInFlight = 64;

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
    // What a user sees in ps when one of them hangs.
    prctl(PR_SET_NAME, "vollmark-statfs", 0, 0, 0);
}

// Runs in the forked helper: async-signal-safe calls only, since the parent may have threads.
// statvfs is the one exception: glibc turns it into a bare statfs wherever the kernel reports
// the mount flags itself (ST_VALID, every kernel since 2.6.36), and only older kernels make it
// read the mount table with malloc.
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

// The middle process tells us the helper's pid over the helper's own socket before it exits,
// so the message is there by the time waitpid returns.
bool spawnHelper(UniqueFd& channel, pid_t& helperPid) {
    int ends[2];
    if (socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, ends) != 0) return false;
    UniqueFd ours(ends[0]);
    UniqueFd theirs(ends[1]);
    const pid_t child = fork();
    if (child < 0) return false;
    if (child == 0) {
        const pid_t helper = fork();
        if (helper == 0) serveRequests(theirs.get());
        if (helper > 0) send(theirs.get(), &helper, sizeof helper, MSG_NOSIGNAL);
        _exit(0);
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    pid_t pid = 0;
    if (recv(ours.get(), &pid, sizeof pid, MSG_DONTWAIT) != static_cast<ssize_t>(sizeof pid))
        return false;
    channel = std::move(ours);
    helperPid = pid;
    return true;
}

bool isReadableNow(int fd) {
    pollfd entry{fd, POLLIN, 0};
    return poll(&entry, 1, 0) > 0;
}

}  // namespace

TimedStatvfs::TimedStatvfs(std::chrono::milliseconds bound, std::string recordFolder)
    : bound_(bound), records_(std::move(recordFolder)) {}

bool TimedStatvfs::isStuck(const std::string& path) {
    const auto entry = stuck_.find(path);
    if (entry == stuck_.end()) return records_.isStuck(path);
    if (!isReadableNow(entry->second.channel.get())) return true;
    records_.forget(path, entry->second.pid);
    stuck_.erase(entry);
    return false;
}

TimedStatvfs::Helper TimedStatvfs::takeHelper(bool fresh) {
    Helper helper;
    if (!fresh && !idle_.empty()) {
        helper = std::move(idle_.back());
        idle_.pop_back();
    } else if (!spawnHelper(helper.channel, helper.pid)) {
        helper.channel.reset();
    }
    return helper;
}

// A helper that died since its last call (killed, out of memory) gets one replacement.
std::optional<TimedStatvfs::Helper> TimedStatvfs::sendTo(const std::string& path) {
    for (bool fresh : {false, true}) {
        Helper helper = takeHelper(fresh);
        if (!helper.channel) return std::nullopt;
        const ssize_t sent = send(helper.channel.get(), path.data(), path.size(), MSG_NOSIGNAL);
        if (sent == static_cast<ssize_t>(path.size())) return helper;
    }
    return std::nullopt;
}

// Up to kMaxInFlight helpers work at once; a helper that answers takes the next path. Paths
// still unasked when the bound runs out (every helper held by a hung mount) answer nothing
// this time; a later call asks them while it passes over the hung ones as stuck. The bound
// counts from the call, forks included, since it is what the caller waits.
std::vector<std::optional<struct statvfs>> TimedStatvfs::queryAll(
    const std::vector<std::string>& paths) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + bound_;
    std::vector<std::optional<struct statvfs>> results(paths.size());
    std::vector<Asked> asked;
    std::size_t next = 0;
    for (;;) {
        for (; next < paths.size() && asked.size() < kMaxInFlight; ++next) {
            const std::string& path = paths[next];
            if (path.empty() || path.size() > kMaxPath || isStuck(path)) continue;
            if (auto helper = sendTo(path)) asked.push_back({next, std::move(*helper)});
        }
        if (asked.empty()) break;
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        std::vector<pollfd> entries;
        for (const auto& one : asked) entries.push_back({one.helper.channel.get(), POLLIN, 0});
        const int ready = poll(entries.data(), entries.size(),
                               static_cast<int>(std::max<long long>(left.count(), 0)));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) break;
        for (std::size_t i = entries.size(); i-- > 0;) {
            if (entries[i].revents == 0) continue;
            Asked done = std::move(asked[i]);
            asked.erase(asked.begin() + static_cast<std::ptrdiff_t>(i));
            receive(done, results);
        }
    }
    for (auto& one : asked) abandon(paths[one.index], std::move(one.helper));
    return results;
}

void TimedStatvfs::receive(Asked& done, std::vector<std::optional<struct statvfs>>& results) {
    Reply reply;
    const ssize_t got = recv(done.helper.channel.get(), &reply, sizeof reply, 0);
    if (got != static_cast<ssize_t>(sizeof reply)) return;
    if (reply.error == 0) results[done.index] = reply.result;
    if (idle_.size() < kMaxIdleHelpers) idle_.push_back(std::move(done.helper));
}

void TimedStatvfs::abandon(const std::string& path, Helper helper) {
    records_.remember(path, helper.pid);
    stuck_.insert_or_assign(path, std::move(helper));
}

std::optional<struct statvfs> TimedStatvfs::query(const std::string& path) {
    return queryAll({path}).front();
}

}  // namespace platform::linuxfs
