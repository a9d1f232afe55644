#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

#include "HistoryStore.h"

// When a drive deserves a desktop notification. Pure: what a scan and the history say, the
// time and the rules in; the decision and what to remember out.
namespace warnings {

// GNOME's housekeeping rule: under 5 % free unless more than 2 GB are left (it counts its
// gigabytes in 1024s), and again each time another 1 % of the drive is gone.
struct LowSpaceRule {
    double freeShareBelow = 0.05;
    std::int64_t freeBytesBelow = 2LL * 1024 * 1024 * 1024;
    double againAfterShare = 0.01;
};

// The monitoring anchors' rule: the forecast says full within a day, the drive is writable
// and already fairly full, and all of that has held for an hour.
struct FillingRule {
    std::chrono::seconds fullWithin = std::chrono::hours(24);
    double freeShareBelow = 0.40;
    std::chrono::seconds heldFor = std::chrono::hours(1);
    // How finely the hour is checked against the history: the window records that often.
    std::chrono::seconds step = std::chrono::minutes(10);
};

struct WarningRules {
    LowSpaceRule lowSpace;
    FillingRule filling;
    std::chrono::seconds spacing = std::chrono::minutes(10);
};

enum class WarningKind { LowSpace, FillingFast };

// One drive as a scan sees it.
struct DriveReading {
    std::int64_t totalBytes = 0;
    std::int64_t freeBytes = 0;
    bool readOnly = false;
    bool optical = false;
    bool muted = false;
    // Since when the history says the drive has been filling fast (FillingSince).
    std::optional<std::int64_t> fillingSince;
};

// What the rules remember of one drive between readings, as the history file keeps it.
using DriveMemory = history::WarningMemory;

struct Decision {
    std::optional<WarningKind> warning;
    DriveMemory memory;
};

Decision Decide(const DriveReading& reading, const DriveMemory& memory, std::int64_t now,
                const WarningRules& rules = {});

// Decide against the memory the history file keeps for `key`, and store what the decision
// remembers: a crossing is warned once, whichever program that shares the file sees it first.
// A reading that changes nothing costs one read; only a change takes the write lock, under
// which the decision is made again.
history::Result<Decision> DecideShared(history::Store& store, const history::DriveKey& key,
                                       const DriveReading& reading, std::int64_t now,
                                       const WarningRules& rules = {});

// The earliest time within the last `heldFor` from which, at every step up to `now`, the
// history's forecast said full within `fullWithin` and less than `freeShareBelow` was free;
// empty when that does not hold now. Samples as Store::Samples gives them.
std::optional<std::int64_t> FillingSince(const std::vector<history::Sample>& samples,
                                         std::int64_t now, const FillingRule& rule = {});

}  // namespace warnings
