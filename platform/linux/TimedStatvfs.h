#pragma once

#include <sys/statvfs.h>

#include <chrono>
#include <map>
#include <optional>
#include <string>

#include "UniqueFd.h"

namespace platform::linuxfs {

// statvfs with a time bound. A dead NFS server or a FUSE daemon that never answers leaves the
// calling thread in an uninterruptible wait, and a process with such a thread cannot finish
// exiting; so the calls are made by a helper process that we can walk away from. The helper
// is forked once (twice, so init inherits it and nobody has to reap it), keeps only its socket
// and answers one path at a time. A call that has not answered within the bound is given up:
// that helper is left to its fate, the mount counts as stuck until the late answer (or the
// helper's end) shows up on the abandoned socket, and the next call forks a fresh helper. The
// helper holds no descriptor of ours but its socket and sits in "/", so neither a pipe reader
// nor an unmount waits for it; when it returns it sees the closed socket and exits.
class TimedStatvfs {
public:
    static constexpr std::chrono::milliseconds kDefaultBound{300};

    explicit TimedStatvfs(std::chrono::milliseconds bound = kDefaultBound) : bound_(bound) {}

    // nullopt when the call failed, did not answer in time, or an earlier one is still stuck.
    std::optional<struct statvfs> query(const std::string& path);

    // True while an earlier call on this path has not come back.
    bool isStuck(const std::string& path);

private:
    enum class Sent { ok, helperGone, refused };
    Sent send(const std::string& path);

    std::chrono::milliseconds bound_;
    UniqueFd helper_;
    std::map<std::string, UniqueFd, std::less<>> stuck_;
};

}  // namespace platform::linuxfs
