#include "HistoryForecasts.h"

#include <QMetaObject>
#include <cstdio>

#include "Forecast.h"

THistoryForecasts::THistoryForecasts(std::string historyFile, warnings::WarningRules rules,
                                     QObject* parent)
    : QObject(parent), file_(std::move(historyFile)), rules_(rules) {
    pool_.setMaxThreadCount(1);
}

THistoryForecasts::~THistoryForecasts() {
    pool_.waitForDone();
}

bool THistoryForecasts::Run(std::vector<WarningCheck> checks, std::int64_t now, bool refresh,
                            bool decide, Warn warn) {
    if (running_) return false;
    if (!refresh && !decide) return true;
    running_ = true;
    pool_.start(
        [this, checks = std::move(checks), now, refresh, decide, warn = std::move(warn)]() mutable {
            auto outcome = Work(std::move(checks), now, refresh, decide);
            // Queued to this object: dropped if it is gone by then.
            QMetaObject::invokeMethod(
                this,
                [this, outcome = std::move(outcome), warn = std::move(warn)] {
                    if (outcome.outlooks) outlooks_ = *outcome.outlooks;
                    running_ = false;
                    for (const Due& due : outcome.warnings) warn(due.check, due.kind, due.compared);
                },
                Qt::QueuedConnection);
        });
    return true;
}

const DriveOutlook* THistoryForecasts::Find(const QString& driveId) const {
    const auto found = outlooks_.constFind(driveId);
    return found == outlooks_.cend() ? nullptr : &*found;
}

THistoryForecasts::Outcome THistoryForecasts::Work(std::vector<WarningCheck> checks,
                                                   std::int64_t now, bool refresh, bool decide) {
    Outcome outcome;
    OpenStore();
    if (refresh) {
        workOutlooks_ = Outlooks(checks, now);
        outcome.outlooks = workOutlooks_;
    }
    if (!decide) return outcome;
    for (WarningCheck& check : checks) {
        const auto outlook = workOutlooks_.constFind(check.driveId);
        if (outlook != workOutlooks_.cend()) check.reading.fillingSince = outlook->fillingSince;
        const warnings::Decision decision = Decide(check, now);
        if (!decision.warning) continue;
        auto compared = Compared(check.key);
        outcome.warnings.push_back({std::move(check), *decision.warning, std::move(compared)});
    }
    return outcome;
}

// The window records into the same file, so it is made here if it is not there yet; a
// damaged or newer file is reported once and left as it is.
void THistoryForecasts::OpenStore() {
    if (store_ || openFailed_) return;
    auto opened = history::Store::Open(file_, true);
    if (auto* error = std::get_if<history::HistoryError>(&opened)) {
        openFailed_ = true;
        std::fprintf(stderr, "vollmark: no forecasts: %s\n", error->message.c_str());
        return;
    }
    store_ = std::move(std::get<std::unique_ptr<history::Store>>(opened));
}

QHash<QString, DriveOutlook> THistoryForecasts::Outlooks(const std::vector<WarningCheck>& checks,
                                                         std::int64_t now) {
    QHash<QString, DriveOutlook> outlooks;
    if (!store_) return outlooks;
    // The forecast looks back no further than its longest span, from each hour checked.
    const std::int64_t since =
        now - rules_.filling.heldFor.count() - history::ForecastRule{}.longest.count();
    for (const WarningCheck& check : checks) {
        auto samples = store_->Samples(check.key, since);
        const auto* kept = std::get_if<std::vector<history::Sample>>(&samples);
        if (!kept || kept->empty()) continue;
        outlooks.insert(check.driveId, {history::ForecastOf(*kept, now).fullInSeconds,
                                        warnings::FillingSince(*kept, now, rules_.filling)});
    }
    return outlooks;
}

// A file that cannot be used costs the sharing with the timer, never a warning.
warnings::Decision THistoryForecasts::Decide(const WarningCheck& check, std::int64_t now) {
    if (store_) {
        auto shared = warnings::DecideShared(*store_, check.key, check.reading, now, rules_);
        if (auto* decision = std::get_if<warnings::Decision>(&shared)) return *decision;
        ReportOnce(std::get<history::HistoryError>(shared).message);
    }
    const warnings::Decision decision =
        warnings::Decide(check.reading, ownMemory_.value(check.driveId), now, rules_);
    ownMemory_.insert(check.driveId, decision.memory);
    return decision;
}

// Snapshots that cannot be read cost the notice its line on what grew, never the notice.
std::optional<warnings::ComparedSnapshots> THistoryForecasts::Compared(
    const history::DriveKey& key) {
    if (!store_) return std::nullopt;
    auto compared = warnings::LoadComparedSnapshots(*store_, key);
    if (auto* error = std::get_if<history::HistoryError>(&compared)) {
        ReportOnce(error->message);
        return std::nullopt;
    }
    return std::move(std::get<std::optional<warnings::ComparedSnapshots>>(compared));
}

void THistoryForecasts::ReportOnce(const std::string& message) {
    if (message == lastReport_) return;
    lastReport_ = message;
    std::fprintf(stderr, "vollmark: warnings without the history file: %s\n", message.c_str());
}
