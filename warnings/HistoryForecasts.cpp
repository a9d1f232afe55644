#include "HistoryForecasts.h"

#include <QMetaObject>
#include <cstdio>
#include <filesystem>

#include "Forecast.h"

THistoryForecasts::THistoryForecasts(std::string historyFile, warnings::FillingRule rule,
                                     QObject* parent)
    : QObject(parent), file_(std::move(historyFile)), rule_(rule) {
    pool_.setMaxThreadCount(1);
}

THistoryForecasts::~THistoryForecasts() {
    pool_.waitForDone();
}

bool THistoryForecasts::Refresh(Drives drives, std::int64_t now) {
    if (running_) return false;
    running_ = true;
    pool_.start([this, drives = std::move(drives), now] {
        auto outlooks = Work(drives, now);
        // Queued to this object: dropped if it is gone by then.
        QMetaObject::invokeMethod(
            this,
            [this, outlooks = std::move(outlooks)] {
                outlooks_ = outlooks;
                running_ = false;
                emit Refreshed();
            },
            Qt::QueuedConnection);
    });
    return true;
}

const DriveOutlook* THistoryForecasts::Find(const QString& driveId) const {
    const auto found = outlooks_.constFind(driveId);
    return found == outlooks_.cend() ? nullptr : &*found;
}

// A history never recorded is an empty one; a damaged or newer file is reported once and
// left as it is.
QHash<QString, DriveOutlook> THistoryForecasts::Work(const Drives& drives, std::int64_t now) {
    QHash<QString, DriveOutlook> outlooks;
    if (!store_ && !openFailed_) {
        std::error_code ignored;
        if (!std::filesystem::exists(file_, ignored)) return outlooks;
        auto opened = history::Store::Open(file_, false);
        if (auto* error = std::get_if<history::HistoryError>(&opened)) {
            openFailed_ = true;
            std::fprintf(stderr, "vollmark: no forecasts: %s\n", error->message.c_str());
        } else {
            store_ = std::move(std::get<std::unique_ptr<history::Store>>(opened));
        }
    }
    if (!store_) return outlooks;
    for (const auto& [id, key] : drives) {
        // The forecast looks back no further than its longest span, from each hour checked.
        const std::int64_t since =
            now - rule_.heldFor.count() - history::ForecastRule{}.longest.count();
        auto samples = store_->Samples(key, since);
        const auto* kept = std::get_if<std::vector<history::Sample>>(&samples);
        if (!kept || kept->empty()) continue;
        outlooks.insert(id, {history::ForecastOf(*kept, now).fullInSeconds,
                             warnings::FillingSince(*kept, now, rule_)});
    }
    return outlooks;
}
