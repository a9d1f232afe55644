#pragma once

#include <sys/types.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "TempDir.h"

// Real mounts for tests: a tmpfs under /tmp that holds everything else, inside the private
// mount namespace of the test process, so nothing leaks to the host even after a crash.
class MountSandbox {
public:
    // Call first, while the process has one thread. nullopt when the namespace is ours,
    // otherwise the reason the tests must be skipped.
    static std::optional<std::string> enterPrivateNamespace();

    MountSandbox();
    ~MountSandbox();
    MountSandbox(const MountSandbox&) = delete;
    MountSandbox& operator=(const MountSandbox&) = delete;

    bool ready() const { return !base_.empty(); }
    const std::string& base() const { return base_; }
    std::string path(const std::string& name) const { return base_ + "/" + name; }

    bool mountTmpfs(const std::string& name, const std::string& size);
    bool bindMount(const std::string& from, const std::string& to);
    bool mountExt4Image(const std::string& name, const std::string& label, const std::string& uuid);
    bool mountSquashImage(const std::string& name);
    // A FUSE file system whose statfs never answers; the daemon dies with this object.
    bool mountHungFuse(const std::string& name, const std::string& daemon);
    // Kills the daemon of a hung mount, which aborts its connection.
    void killFuseDaemon(const std::string& name);
    bool unmount(const std::string& name);
    // Requests of a FUSE mount still waiting for its daemon: one per process stuck on it.
    // nullopt without the fuse control file system.
    std::optional<int> fuseRequestsWaiting(const std::string& name);

    // The source column of the mount table for a mount point.
    static std::optional<std::string> sourceOf(const std::string& mountPoint);
    static bool isMounted(const std::string& mountPoint);

private:
    bool track(const std::string& mountPoint, bool mounted);

    TempDir folder_{"vollmark-mounts"};
    std::string base_;
    std::vector<std::string> mounted_;
    std::map<std::string, pid_t> daemons_;
    bool fuseControl_ = false;
};

// Runs a program with its output thrown away; true when it exits with 0.
bool runQuietly(const std::vector<std::string>& argv);

// CI runs as root with FUSE, loop devices and squashfs, so a missing one there is a broken
// runner, and a skip would let the real-mount cases pass unseen.
bool onCi();

#define SKIP_UNLESS_CI(reason)                                         \
    do {                                                               \
        if (onCi()) FAIL() << (reason) << " (CI must run every case)"; \
        GTEST_SKIP() << (reason);                                      \
    } while (false)
