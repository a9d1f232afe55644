#include "DriveWarnings.h"

#include <QDesktopServices>
#include <QTimer>
#include <QUrl>

#include "DriveSamples.h"
#include "WarningTexts.h"

namespace {

warnings::DriveReading ReadingOf(const DriveRecord& record, bool muted) {
    const DiskUtils::TDisk& disk = record.Disk;
    return {
        disk.TotalBytes, disk.FreeBytes, record.ReadOnly(), disk.DriveType == platform::kDriveCdRom,
        muted,           std::nullopt};
}

}  // namespace

TDriveWarnings::TDriveWarnings(NotifierFactory notifier, std::unique_ptr<THistoryForecasts> history,
                               Clock clock, Options options)
    : makeNotifier_(std::move(notifier)),
      history_(std::move(history)),
      clock_(std::move(clock)),
      options_(options) {}

TDriveWarnings::~TDriveWarnings() = default;

void TDriveWarnings::SetOn(bool on) {
    on_ = on;
    if (notifier_) notifier_->SetWarningsOn(on);
}

void TDriveWarnings::SetMuted(const QStringList& driveIds) {
    muted_ = QSet<QString>(driveIds.begin(), driveIds.end());
}

void TDriveWarnings::Scanned(const DriveSnapshot& snapshot) {
    if (!notifier_ && !notifierScheduled_) {
        notifierScheduled_ = true;
        QTimer::singleShot(0, this, &TDriveWarnings::EnsureNotifier);
    }
    const std::int64_t now = clock_();
    if (!history_) {
        if (!on_) return;
        for (const DriveRecord& record : snapshot.Drives) {
            const QString id = DriveIdOf(record);
            const auto decision = warnings::Decide(ReadingOf(record, muted_.contains(id)),
                                                   memory_.value(id), now, options_.rules);
            memory_.insert(id, decision.memory);
            if (decision.warning) Warn(record, id, *decision.warning);
        }
        return;
    }
    std::vector<WarningCheck> checks;
    QHash<QString, DriveRecord> records;
    for (const DriveRecord& record : snapshot.Drives) {
        const QString id = DriveIdOf(record);
        checks.push_back({id, history::KeyOf(record), ReadingOf(record, muted_.contains(id))});
        records.insert(id, record);
    }
    const bool forecastDue = !lastForecast_ || now < *lastForecast_ ||
                             now - *lastForecast_ >= options_.forecastEvery.count();
    const auto warn = [this, records](const WarningCheck& check, warnings::WarningKind kind,
                                      const std::optional<warnings::ComparedSnapshots>& compared) {
        // The user may have switched the warnings off or muted the drive meanwhile.
        if (on_ && !muted_.contains(check.driveId))
            Warn(records.value(check.driveId), check.driveId, kind, compared);
    };
    if (history_->Run(std::move(checks), now, forecastDue, on_, warn) && forecastDue)
        lastForecast_ = now;
}

std::optional<std::int64_t> TDriveWarnings::FullInSeconds(const DriveRecord& record) const {
    const DriveOutlook* outlook = history_ ? history_->Find(DriveIdOf(record)) : nullptr;
    return outlook ? outlook->fullInSeconds : std::nullopt;
}

void TDriveWarnings::EnsureNotifier() {
    if (notifier_) return;
    notifier_ = makeNotifier_();
    notifier_->SetWarningsOn(on_);
    connect(notifier_.get(), &TNotifier::MuteRequested, this, &TDriveWarnings::MuteRequested);
    connect(notifier_.get(), &TNotifier::SpaceRequested, this, &TDriveWarnings::SpaceRequested);
    connect(notifier_.get(), &TNotifier::OpenRequested, this,
            [](const QString& folder) { QDesktopServices::openUrl(QUrl::fromLocalFile(folder)); });
}

void TDriveWarnings::Warn(const DriveRecord& record, const QString& id, warnings::WarningKind kind,
                          const std::optional<warnings::ComparedSnapshots>& compared) {
    EnsureNotifier();
    const QString folder = QString::fromStdString(
        record.MountPoint.value_or(DiskUtils::RootPathOf(record.Disk.DriveLetter)));
    const QString grew = compared ? GrewLine(compared->before, compared->after, folder, clock_(),
                                             DiskUtils::CurrentDisplayOptions(), options_.zone)
                                  : QString();
    notifier_->Show(NoticeOf(kind, record, FullInSeconds(record), id, folder, grew));
}
