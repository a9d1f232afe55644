#pragma once

#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform::linuxfs {

// What /proc/PID/stat says about a process: its state letter and its start time in clock
// ticks since boot. Together with the pid the start time names one process, even after the
// pid has been handed to another.
struct ProcessStamp {
    char state = '?';
    std::uint64_t startTime = 0;
};

// nullopt for text that does not have the kernel's shape. The command name in parentheses may
// hold spaces and parentheses of its own, so fields are counted from the last ')'.
std::optional<ProcessStamp> parseProcessStat(std::string_view text);

// One helper process left waiting on a hung mount.
struct StuckHelper {
    std::string mountPoint;
    pid_t pid = 0;
    std::uint64_t startTime = 0;
};

// The record's text: "PID STARTTIME\n" and the mount point's bytes as they are.
std::string formatStuckHelper(const StuckHelper& helper);
std::optional<StuckHelper> parseStuckHelper(std::string_view text);

// Helpers left stuck by any run of the programs, remembered across runs in a folder only the
// user can enter: the first run that walks away from a hung mount leaves a record, and later
// runs see the same helper still waiting and leave the mount alone instead of adding another
// unkillable process. A record whose process has ended (or whose pid now names another
// process) is dropped on sight, which is what happens once the mount answers again.
class StuckHelperRecords {
public:
    // `folder` empty: $XDG_RUNTIME_DIR/vollmark, or /tmp/vollmark-UID where that is unset.
    // A folder that is not ours alone (another owner, a symlink, open to others) is not used;
    // the records are then kept by nobody and each run finds out for itself.
    explicit StuckHelperRecords(std::string folder = {});

    // The folder is made (or checked) on first use, so a run that meets no hang-prone mount
    // leaves nothing behind.
    bool usable();

    // True when a record names a helper that is still waiting on this mount.
    bool isStuck(std::string_view mountPoint);
    void remember(std::string_view mountPoint, pid_t pid);
    // Drops the record of this mount if it names `pid`; another run's record stays.
    void forget(std::string_view mountPoint, pid_t pid);

private:
    std::string recordPath(std::string_view mountPoint) const;
    std::optional<StuckHelper> read(std::string_view mountPoint);

    std::string folder_;
    std::optional<bool> usable_;
};

// The stamp of a live process, read from /proc; nullopt once it has ended.
std::optional<ProcessStamp> stampOf(pid_t pid);

}  // namespace platform::linuxfs
