#pragma once

#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "DriveReport.h"
#include "HistoryForecasts.h"
#include "HistoryStore.h"
#include "Notifier.h"
#include "WarningRules.h"

// The window's side of the warnings: it hands in every drive row it paints, and this decides,
// words and shows the notices, and keeps the forecasts fresh for the row tooltips.
class TDriveWarnings : public QObject {
    Q_OBJECT

public:
    using Clock = std::function<std::int64_t()>;
    using NotifierFactory = std::function<std::unique_ptr<TNotifier>()>;

    struct Options {
        warnings::WarningRules rules;
        // The window records every 10 minutes; forecasts need not be fresher than that.
        std::chrono::seconds forecastEvery = std::chrono::minutes(10);
    };

    // The notifier is made at the first drive seen, after the window's first frame.
    // Without a history file there are no forecasts and no filling-fast warnings.
    TDriveWarnings(NotifierFactory notifier, std::optional<std::string> historyFile, Clock clock,
                   Options options);
    ~TDriveWarnings() override;

    void SetOn(bool on);
    bool On() const { return on_; }
    void SetMuted(const QStringList& driveIds);

    // A drive row was painted with these figures.
    void Seen(const DriveRecord& record);
    std::optional<std::int64_t> FullInSeconds(const DriveRecord& record) const;

    // What "don't warn for this drive" keeps: the serial and mount point, as the history
    // knows the drive.
    static QString DriveIdOf(const DriveRecord& record);

signals:
    void MuteRequested(const QString& driveId);
    // New forecasts: the rows' tooltips and the warnings may say something new.
    void ForecastsChanged();

private:
    void EnsureNotifier();
    void RefreshForecasts();
    void Decide(const DriveRecord& record, const QString& id);

    NotifierFactory makeNotifier_;
    std::unique_ptr<TNotifier> notifier_;
    std::unique_ptr<THistoryForecasts> forecasts_;
    Clock clock_;
    Options options_;
    bool on_ = true;
    QSet<QString> muted_;
    QHash<QString, warnings::DriveMemory> memory_;
    THistoryForecasts::Drives seen_;
    std::optional<std::int64_t> lastForecast_;
    bool notifierScheduled_ = false;
    bool refreshScheduled_ = false;
};
