#include "DriveWarnings.h"

#include <QDesktopServices>
#include <QTimer>
#include <QUrl>
#include <algorithm>

#include "DriveSamples.h"
#include "WarningTexts.h"

TDriveWarnings::TDriveWarnings(NotifierFactory notifier, std::optional<std::string> historyFile,
                               Clock clock, Options options)
    : makeNotifier_(std::move(notifier)), clock_(std::move(clock)), options_(options) {
    if (historyFile)
        forecasts_ =
            std::make_unique<THistoryForecasts>(std::move(*historyFile), options_.rules.filling);
    if (forecasts_)
        connect(forecasts_.get(), &THistoryForecasts::Refreshed, this,
                &TDriveWarnings::ForecastsChanged);
}

TDriveWarnings::~TDriveWarnings() = default;

void TDriveWarnings::SetOn(bool on) {
    on_ = on;
    if (notifier_) notifier_->SetWarningsOn(on);
}

void TDriveWarnings::SetMuted(const QStringList& driveIds) {
    muted_ = QSet<QString>(driveIds.begin(), driveIds.end());
}

QString TDriveWarnings::DriveIdOf(const DriveRecord& record) {
    const history::DriveKey key = history::KeyOf(record);
    return QString::number(key.serial, 16).rightJustified(8, QLatin1Char('0')).toUpper() +
           QLatin1Char(' ') + QString::fromStdString(key.mountPoint);
}

void TDriveWarnings::Seen(const DriveRecord& record) {
    const QString id = DriveIdOf(record);
    if (std::none_of(seen_.begin(), seen_.end(),
                     [&](const auto& drive) { return drive.first == id; }))
        seen_.emplace_back(id, history::KeyOf(record));
    // After the paint under way: neither the bus nor the database is touched while it lasts.
    if (!notifier_ && !notifierScheduled_) {
        notifierScheduled_ = true;
        QTimer::singleShot(0, this, &TDriveWarnings::EnsureNotifier);
    }
    const std::int64_t now = clock_();
    const bool forecastDue = !lastForecast_ || now < *lastForecast_ ||
                             now - *lastForecast_ >= options_.forecastEvery.count();
    if (forecasts_ && forecastDue && !refreshScheduled_) {
        refreshScheduled_ = true;
        QTimer::singleShot(0, this, &TDriveWarnings::RefreshForecasts);
    }
    if (on_) Decide(record, id);
}

std::optional<std::int64_t> TDriveWarnings::FullInSeconds(const DriveRecord& record) const {
    const DriveOutlook* outlook = forecasts_ ? forecasts_->Find(DriveIdOf(record)) : nullptr;
    return outlook ? outlook->fullInSeconds : std::nullopt;
}

void TDriveWarnings::EnsureNotifier() {
    if (notifier_) return;
    notifier_ = makeNotifier_();
    notifier_->SetWarningsOn(on_);
    connect(notifier_.get(), &TNotifier::MuteRequested, this, &TDriveWarnings::MuteRequested);
    connect(notifier_.get(), &TNotifier::OpenRequested, this,
            [](const QString& folder) { QDesktopServices::openUrl(QUrl::fromLocalFile(folder)); });
}

void TDriveWarnings::RefreshForecasts() {
    refreshScheduled_ = false;
    const std::int64_t now = clock_();
    if (forecasts_->Refresh(seen_, now)) lastForecast_ = now;
}

void TDriveWarnings::Decide(const DriveRecord& record, const QString& id) {
    const DiskUtils::TDisk& disk = record.Disk;
    const DriveOutlook* outlook = forecasts_ ? forecasts_->Find(id) : nullptr;
    const warnings::DriveReading reading{
        disk.TotalBytes,     disk.FreeBytes,
        record.ReadOnly(),   disk.DriveType == platform::kDriveCdRom,
        muted_.contains(id), outlook ? outlook->fillingSince : std::nullopt};
    const std::int64_t now = clock_();
    const warnings::Decision decision =
        warnings::Decide(reading, memory_.value(id), now, options_.rules);
    memory_.insert(id, decision.memory);
    if (!decision.warning) return;
    EnsureNotifier();
    const QString folder =
        QString::fromStdString(record.MountPoint.value_or(DiskUtils::RootPathOf(disk.DriveLetter)));
    notifier_->Show(NoticeOf(*decision.warning, record,
                             outlook ? outlook->fullInSeconds : std::nullopt, id, folder));
}
