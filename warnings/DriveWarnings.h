#pragma once

#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTimeZone>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "DriveReport.h"
#include "HistoryForecasts.h"
#include "Notifier.h"
#include "WarningRules.h"

// The window's side of the warnings: it hands in the scan of every timer tick, and this
// decides, words and shows the notices, and keeps the forecasts fresh for the row tooltips.
class TDriveWarnings : public QObject {
    Q_OBJECT

public:
    using Clock = std::function<std::int64_t()>;
    using NotifierFactory = std::function<std::unique_ptr<TNotifier>()>;

    struct Options {
        warnings::WarningRules rules;
        // The window records every 10 minutes; forecasts need not be fresher than that.
        std::chrono::seconds forecastEvery = std::chrono::minutes(10);
        // Where "since yesterday" is reckoned.
        QTimeZone zone = QTimeZone::systemTimeZone();
    };

    // The notifier is made after the first scan, once the event loop runs. Without a history
    // (no state folder) there are no forecasts and no filling-fast warnings, and what was
    // warned is this process's alone; `history` must use `options.rules`.
    TDriveWarnings(NotifierFactory notifier, std::unique_ptr<THistoryForecasts> history,
                   Clock clock, Options options);
    ~TDriveWarnings() override;

    void SetOn(bool on);
    bool On() const { return on_; }
    void SetMuted(const QStringList& driveIds);

    // The drives of one timer tick.
    void Scanned(const DriveSnapshot& snapshot);
    std::optional<std::int64_t> FullInSeconds(const DriveRecord& record) const;

signals:
    void MuteRequested(const QString& driveId);
    // "What takes the space" on a notice.
    void SpaceRequested(const QString& driveId);

private:
    void EnsureNotifier();
    void Warn(const DriveRecord& record, const QString& id, warnings::WarningKind kind,
              const std::optional<warnings::ComparedSnapshots>& compared = std::nullopt);

    NotifierFactory makeNotifier_;
    std::unique_ptr<TNotifier> notifier_;
    std::unique_ptr<THistoryForecasts> history_;
    Clock clock_;
    Options options_;
    bool on_ = true;
    QSet<QString> muted_;
    QHash<QString, warnings::DriveMemory> memory_;
    std::optional<std::int64_t> lastForecast_;
    bool notifierScheduled_ = false;
};
