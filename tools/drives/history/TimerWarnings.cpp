#include "TimerWarnings.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusReply>
#include <QLocale>
#include <QSettings>
#include <QTranslator>
#include <optional>

#include "DriveSamples.h"
#include "Forecast.h"
#include "NoticeCalls.h"
#include "Options.h"
#include "Output.h"
#include "Translations.h"
#include "UserSettings.h"
#include "WarningRules.h"
#include "WarningTexts.h"

namespace drives {
namespace {

struct Due {
    const DriveRecord* record;
    QString id;
    history::DriveKey key;
    warnings::DriveReading reading;
    std::optional<std::int64_t> fullInSeconds;
};

void Report(const std::string& problem) {
    Fail("cannot show a notification: " + problem, 0);
}

// The drive again under the window's units, so the notice gives the free space as the
// window's row and notices do.
DriveRecord AsTheWindowShows(const DriveRecord& record, const SavedChoices& choices) {
    Options units;
    units.divisors =
        choices.divisors1024 ? DiskUtils::UnitDivisors1024 : DiskUtils::UnitDivisors1000;
    units.words = choices.byteWords ? DiskUtils::ByteUnitNames : DiskUtils::OctetUnitNames;
    units.unit = choices.displayUnit.value_or(DiskUtils::suMega);
    ApplyDisplayOptions(units);
    const platform::ScanScope scan;
    DiskUtils::TDisk probe;
    probe.SetDriveIndex(DiskUtils::DriveLetterToIndex(record.Disk.DriveLetter));
    return probe.Present ? DriveRecordOf(probe) : record;
}

// Reads what the window's forecasts read: the raw samples of the last hour checked and the
// forecast's longest span before it.
std::optional<Due> Weigh(history::Store& store, const DriveRecord& record,
                         const SavedChoices& choices, std::int64_t now,
                         const warnings::WarningRules& rules) {
    Due due{&record, DriveIdOf(record), history::KeyOf(record), {}, std::nullopt};
    const std::int64_t since =
        now - rules.filling.heldFor.count() - history::ForecastRule{}.longest.count();
    auto samples = store.Samples(due.key, since);
    if (auto* error = std::get_if<history::HistoryError>(&samples)) {
        Report(error->message);
        return std::nullopt;
    }
    const auto& kept = std::get<std::vector<history::Sample>>(samples);
    const DiskUtils::TDisk& disk = record.Disk;
    due.reading = {disk.TotalBytes,
                   disk.FreeBytes,
                   record.ReadOnly(),
                   disk.DriveType == platform::kDriveCdRom,
                   choices.mutedDrives.contains(due.id),
                   warnings::FillingSince(kept, now, rules.filling)};
    due.fullInSeconds = history::ForecastOf(kept, now).fullInSeconds;
    return due;
}

}  // namespace

// A notice that no server took is not remembered as warned: the window, or the next run,
// warns for it then. So the bus is reached before anything is remembered, and only when a
// notice is due; what changes without a notice (a drive that recovered) is remembered at once.
void WarnAfterRecording(history::Store& store, const std::vector<DriveRecord>& drives,
                        std::int64_t now) {
    const std::unique_ptr<QSettings> settings = OpenUserSettings();
    const LoadedChoices loaded = LoadChoices(*settings);
    if (loaded.problem) Fail(loaded.problem->toStdString(), 0);
    if (!loaded.choices.warningsOn) return;
    const warnings::WarningRules rules;
    std::vector<Due> due;
    for (const DriveRecord& record : drives) {
        const auto weighed = Weigh(store, record, loaded.choices, now, rules);
        if (!weighed) return;
        auto stored = store.Memory(weighed->key);
        if (auto* error = std::get_if<history::HistoryError>(&stored))
            return Report(error->message);
        const auto& memory = std::get<history::WarningMemory>(stored);
        const warnings::Decision decision = warnings::Decide(weighed->reading, memory, now, rules);
        if (decision.warning) {
            due.push_back(*weighed);
        } else if (decision.memory != memory) {
            const auto shared =
                warnings::DecideShared(store, weighed->key, weighed->reading, now, rules);
            if (auto* error = std::get_if<history::HistoryError>(&shared))
                return Report(error->message);
        }
    }
    if (due.empty()) return;

    // What goes wrong is told in one line of our own; Qt's D-Bus would add notes of its own
    // about the same failure, and about what it finds while it shuts down.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    int argc = 1;
    char name[] = "vollmark-drives";
    char* argv[] = {name, nullptr};
    const QCoreApplication application(argc, argv);
    QTranslator translator;
    InstallTranslation(translator, QLocale::system().uiLanguages());
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return Report("no session bus");
    const QDBusReply<QStringList> capabilities =
        bus.call(notices::CapabilitiesCall(), QDBus::Block, notices::kCallTimeoutMs);
    if (!capabilities.isValid()) return Report(capabilities.error().message().toStdString());

    for (const Due& drive : due) {
        const auto shared = warnings::DecideShared(store, drive.key, drive.reading, now, rules);
        if (auto* error = std::get_if<history::HistoryError>(&shared))
            return Report(error->message);
        const auto& decision = std::get<warnings::Decision>(shared);
        // The window may have warned in the meantime.
        if (!decision.warning) continue;
        const DriveRecord shown = AsTheWindowShows(*drive.record, loaded.choices);
        const QString folder = QString::fromStdString(
            shown.MountPoint.value_or(DiskUtils::RootPathOf(shown.Disk.DriveLetter)));
        // A one-shot run cannot wait for a button, so its notice has none.
        const Notice notice =
            NoticeOf(*decision.warning, shown, drive.fullInSeconds, drive.id, folder);
        const QDBusReply<uint> sent =
            bus.call(notices::NotifyCall(notice, 0, false), QDBus::Block, notices::kCallTimeoutMs);
        if (!sent.isValid()) Report(sent.error().message().toStdString());
    }
}

}  // namespace drives
