#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstring>

#include "DriveSamples.h"
#include "Forecast.h"
#include "HelperPath.h"
#include "Output.h"
#include "RendererPath.h"
#include "TimerWarnings.h"

extern char** environ;

namespace drives {

// The raw samples of the last hour checked and the forecast's longest span before it.
std::optional<WeighedDrive> Weigh(history::Store& store, const DriveRecord& record,
                                  std::int64_t now, const warnings::WarningRules& rules) {
    WeighedDrive drive{history::KeyOf(record), {}, std::nullopt};
    const std::int64_t since =
        now - rules.filling.heldFor.count() - history::ForecastRule{}.longest.count();
    auto samples = store.Samples(drive.key, since);
    if (auto* error = std::get_if<history::HistoryError>(&samples)) {
        Fail("cannot weigh the warnings: " + error->message, 0);
        return std::nullopt;
    }
    const auto& kept = std::get<std::vector<history::Sample>>(samples);
    const DiskUtils::TDisk& disk = record.Disk;
    drive.reading = {disk.TotalBytes,
                     disk.FreeBytes,
                     record.ReadOnly(),
                     disk.DriveType == platform::kDriveCdRom,
                     false,
                     warnings::FillingSince(kept, now, rules.filling)};
    drive.fullInSeconds = history::ForecastOf(kept, now).fullInSeconds;
    return drive;
}

bool NoticesMayBeDue(history::Store& store, const std::vector<DriveRecord>& drives,
                     std::int64_t now) {
    const warnings::WarningRules rules;
    bool due = false;
    for (const DriveRecord& record : drives) {
        const auto weighed = Weigh(store, record, now, rules);
        if (!weighed) return false;
        auto stored = store.Memory(weighed->key);
        if (auto* error = std::get_if<history::HistoryError>(&stored)) {
            Fail("cannot weigh the warnings: " + error->message, 0);
            return false;
        }
        const auto& memory = std::get<history::WarningMemory>(stored);
        const warnings::Decision decision = warnings::Decide(weighed->reading, memory, now, rules);
        if (decision.warning) {
            due = true;
        } else if (decision.memory != memory) {
            const auto shared =
                warnings::DecideShared(store, weighed->key, weighed->reading, now, rules);
            if (auto* error = std::get_if<history::HistoryError>(&shared)) {
                Fail("cannot weigh the warnings: " + error->message, 0);
                return false;
            }
        }
    }
    return due;
}

bool RunNotifier() {
    const auto notifier = FindHelper(kNotifierName);
    if (!notifier) {
        Fail(std::string("cannot find ") + kNotifierName + " to show a notification", 0);
        return false;
    }
    char* argv[] = {const_cast<char*>(notifier->c_str()), nullptr};
    pid_t pid = 0;
    const int spawned = ::posix_spawn(&pid, notifier->c_str(), nullptr, nullptr, argv, environ);
    if (spawned != 0) {
        Fail("cannot start " + *notifier + ": " + std::strerror(spawned), 0);
        return false;
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0)
        if (errno != EINTR) return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace drives
