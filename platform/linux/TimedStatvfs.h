#pragma once

#include <sys/statvfs.h>
#include <sys/types.h>

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "StuckHelpers.h"
#include "UniqueFd.h"

namespace platform::linuxfs {

// statvfs with a time bound. A dead NFS server or a FUSE daemon that never answers leaves the
// calling thread in an uninterruptible wait, and a process with such a thread cannot finish
// exiting; so the calls are made by helper processes that we can walk away from. A helper is
// forked twice, so init inherits it and nobody has to reap it, keeps only its socket and
// answers one path at a time; idle helpers are kept for the next calls. A call that has not
// answered within the bound is given up: that helper is left to its fate, the mount counts as
// stuck until the late answer (or the helper's end) shows up on the abandoned socket, and the
// helper is written down in the user's records so that later runs leave the mount alone too.
// The helper holds no descriptor of ours but its socket and sits in "/", so neither a pipe
// reader nor an unmount waits for it; when it returns it sees the closed socket and exits.
class TimedStatvfs {
public:
    static constexpr std::chrono::milliseconds kDefaultBound{300};

    // `recordFolder` as for StuckHelperRecords: empty for the user's runtime folder.
    explicit TimedStatvfs(std::chrono::milliseconds bound = kDefaultBound,
                          std::string recordFolder = {});

    // nullopt when the call failed, did not answer in time, or an earlier one is still stuck.
    std::optional<struct statvfs> query(const std::string& path);

    // The same for several paths, asked side by side: however many of them hang, the caller
    // waits one bound at most. With more hung paths than helpers at work, the ones left
    // unasked answer nothing this time.
    std::vector<std::optional<struct statvfs>> queryAll(const std::vector<std::string>& paths);

    // True while an earlier call on this path, by this run or another, has not come back.
    bool isStuck(const std::string& path);

private:
    struct Helper {
        UniqueFd channel;
        pid_t pid = 0;
    };
    struct Asked {
        std::size_t index;
        Helper helper;
    };

    std::optional<Helper> sendTo(const std::string& path);
    Helper takeHelper(bool fresh);
    void receive(Asked& done, std::vector<std::optional<struct statvfs>>& results);
    void abandon(const std::string& path, Helper helper);

    std::chrono::milliseconds bound_;
    std::vector<Helper> idle_;
    std::map<std::string, Helper, std::less<>> stuck_;
    StuckHelperRecords records_;
};

}  // namespace platform::linuxfs
