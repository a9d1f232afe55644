#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <QThreadPool>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "GrewMost.h"
#include "HistoryStore.h"
#include "WarningRules.h"

struct DriveOutlook {
    std::optional<std::int64_t> fullInSeconds;
    std::optional<std::int64_t> fillingSince;
};

// One drive of a scan as the warnings weigh it; the run fills in `reading.fillingSince`.
struct WarningCheck {
    QString driveId;
    history::DriveKey key;
    warnings::DriveReading reading;
};

// The window's side of the history file, worked out on a thread of its own so that a locked
// or slow database delays a warning, never the window: what the history says of each drive
// (the forecasts behind the warnings and the row tooltips), and the decisions, made against
// the warning memory the file shares with the timer.
class THistoryForecasts : public QObject {
    Q_OBJECT

public:
    // Called on the object's thread once a run is done, for each drive to warn about, with
    // the snapshots its notice compares when the drive has them.
    using Warn = std::function<void(const WarningCheck& check, warnings::WarningKind kind,
                                    const std::optional<warnings::ComparedSnapshots>& compared)>;

    THistoryForecasts(std::string historyFile, warnings::WarningRules rules,
                      QObject* parent = nullptr);
    // Waits for a run under way: it holds the database.
    ~THistoryForecasts() override;

    // Starts a run at `now`: the outlooks of the drives when `refresh` says so, then, with
    // `decide`, the decisions. False while a run is under way: the next scan comes soon.
    bool Run(std::vector<WarningCheck> checks, std::int64_t now, bool refresh, bool decide,
             Warn warn);
    const DriveOutlook* Find(const QString& driveId) const;

private:
    struct Due {
        WarningCheck check;
        warnings::WarningKind kind;
        std::optional<warnings::ComparedSnapshots> compared;
    };
    struct Outcome {
        std::optional<QHash<QString, DriveOutlook>> outlooks;
        std::vector<Due> warnings;
    };
    Outcome Work(std::vector<WarningCheck> checks, std::int64_t now, bool refresh, bool decide);
    void OpenStore();
    QHash<QString, DriveOutlook> Outlooks(const std::vector<WarningCheck>& checks,
                                          std::int64_t now);
    warnings::Decision Decide(const WarningCheck& check, std::int64_t now);
    std::optional<warnings::ComparedSnapshots> Compared(const history::DriveKey& key);
    void ReportOnce(const std::string& message);

    const std::string file_;
    const warnings::WarningRules rules_;
    QThreadPool pool_;
    // Touched only by the runs, one at a time.
    std::unique_ptr<history::Store> store_;
    bool openFailed_ = false;
    QHash<QString, DriveOutlook> workOutlooks_;
    // What is remembered while the file cannot be used.
    QHash<QString, warnings::DriveMemory> ownMemory_;
    std::string lastReport_;
    // The object's thread only.
    bool running_ = false;
    QHash<QString, DriveOutlook> outlooks_;
};
