#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <QThreadPool>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "HistoryStore.h"
#include "WarningRules.h"

struct DriveOutlook {
    std::optional<std::int64_t> fullInSeconds;
    std::optional<std::int64_t> fillingSince;
};

// What the history says of each drive the window shows, worked out on a thread of its own:
// a locked or slow database delays the forecasts, never a repaint.
class THistoryForecasts : public QObject {
    Q_OBJECT

public:
    using Drives = std::vector<std::pair<QString, history::DriveKey>>;

    THistoryForecasts(std::string historyFile, warnings::FillingRule rule,
                      QObject* parent = nullptr);
    // Waits for a run under way: it holds the database.
    ~THistoryForecasts() override;

    // Starts working out the outlooks of `drives` at `now`; false while a run is under way.
    bool Refresh(Drives drives, std::int64_t now);
    const DriveOutlook* Find(const QString& driveId) const;

signals:
    void Refreshed();

private:
    QHash<QString, DriveOutlook> Work(const Drives& drives, std::int64_t now);

    const std::string file_;
    const warnings::FillingRule rule_;
    QThreadPool pool_;
    // Touched only by the runs, one at a time.
    std::unique_ptr<history::Store> store_;
    bool openFailed_ = false;
    bool running_ = false;
    QHash<QString, DriveOutlook> outlooks_;
};
