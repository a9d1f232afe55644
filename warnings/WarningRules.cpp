#include "WarningRules.h"

#include "Forecast.h"

namespace warnings {
namespace {

double FreeShare(const DriveReading& reading) {
    return static_cast<double>(reading.freeBytes) / static_cast<double>(reading.totalBytes);
}

bool LowOnSpace(const DriveReading& reading, const LowSpaceRule& rule) {
    return FreeShare(reading) < rule.freeShareBelow && reading.freeBytes < rule.freeBytesBelow;
}

bool FillingFast(const DriveReading& reading, std::int64_t now, const FillingRule& rule) {
    return !reading.readOnly && FreeShare(reading) < rule.freeShareBelow && reading.fillingSince &&
           now - *reading.fillingSince >= rule.heldFor.count();
}

bool Exempt(const DriveReading& reading) {
    return reading.totalBytes <= 0 || reading.optical || reading.readOnly || reading.muted;
}

// GNOME compares with "more than" one per cent, so a drive sitting exactly one step lower
// does not warn twice; the allowance keeps rounding of the shares from deciding that.
constexpr double kShareRounding = 1e-9;

bool LowSpaceDue(const DriveReading& reading, const DriveMemory& memory, const LowSpaceRule& rule) {
    return !memory.lowWarnedAtShare ||
           *memory.lowWarnedAtShare - FreeShare(reading) > rule.againAfterShare + kShareRounding;
}

// The last value from `samples` at or before `at`; -1 when there is none.
double FreeShareAt(const std::vector<history::Sample>& samples, std::int64_t at) {
    double share = -1;
    for (const history::Sample& sample : samples)
        if (sample.time <= at && sample.totalBytes > 0)
            share = static_cast<double>(sample.freeBytes) / static_cast<double>(sample.totalBytes);
    return share;
}

bool FillingAt(const std::vector<history::Sample>& samples, std::int64_t at,
               const FillingRule& rule) {
    const double share = FreeShareAt(samples, at);
    if (share < 0 || share >= rule.freeShareBelow) return false;
    const auto fullIn = history::ForecastOf(samples, at).fullInSeconds;
    return fullIn && *fullIn <= rule.fullWithin.count();
}

}  // namespace

// A drive that stops being low (or filling) forgets that it was warned, so the next crossing
// warns again; the spacing holds across crossings all the same, so a drive hovering at the
// line warns at most once per spacing.
Decision Decide(const DriveReading& reading, const DriveMemory& memory, std::int64_t now,
                const WarningRules& rules) {
    Decision decision{std::nullopt, memory};
    if (Exempt(reading)) return decision;
    DriveMemory& next = decision.memory;
    const bool low = LowOnSpace(reading, rules.lowSpace);
    const bool filling = FillingFast(reading, now, rules.filling);
    if (!low) next.lowWarnedAtShare.reset();
    if (!filling) next.fillingWarned = false;
    const bool lowDue = low && LowSpaceDue(reading, next, rules.lowSpace);
    const bool fillingDue = filling && !next.fillingWarned;
    const bool spaced = !next.lastWarned || now - *next.lastWarned >= rules.spacing.count();
    if (!(lowDue || fillingDue) || !spaced) return decision;
    // A low-space warning carries the forecast too, so it stands for a filling one as well.
    decision.warning = lowDue ? WarningKind::LowSpace : WarningKind::FillingFast;
    if (low) next.lowWarnedAtShare = FreeShare(reading);
    if (filling) next.fillingWarned = true;
    next.lastWarned = now;
    return decision;
}

history::Result<Decision> DecideShared(history::Store& store, const history::DriveKey& key,
                                       const DriveReading& reading, std::int64_t now,
                                       const WarningRules& rules) {
    auto stored = store.Memory(key);
    if (auto* error = std::get_if<history::HistoryError>(&stored)) return *error;
    const DriveMemory& memory = std::get<DriveMemory>(stored);
    Decision decision = Decide(reading, memory, now, rules);
    if (decision.memory == memory) return decision;
    const auto updated = store.UpdateMemory(key, [&](const DriveMemory& current) {
        decision = Decide(reading, current, now, rules);
        return decision.memory;
    });
    if (auto* error = std::get_if<history::HistoryError>(&updated)) return *error;
    return decision;
}

std::optional<std::int64_t> FillingSince(const std::vector<history::Sample>& samples,
                                         std::int64_t now, const FillingRule& rule) {
    std::optional<std::int64_t> since;
    for (std::int64_t at = now; at >= now - rule.heldFor.count(); at -= rule.step.count()) {
        if (!FillingAt(samples, at, rule)) break;
        since = at;
    }
    return since;
}

}  // namespace warnings
