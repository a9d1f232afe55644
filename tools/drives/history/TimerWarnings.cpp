#include "TimerWarnings.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusReply>
#include <QLocale>
#include <QSettings>
#include <QTimeZone>
#include <QTranslator>
#include <optional>

#include "GrewMost.h"
#include "NoticeCalls.h"
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
    WeighedDrive drive;
};

void Report(const std::string& problem) {
    Fail("cannot show a notification: " + problem, 0);
}

// The window's units, as its rows and its notices give figures.
DiskUtils::DisplayOptions WindowDisplay(const SavedChoices& choices) {
    return DiskUtils::DisplayOptionsOf(
        choices.displayUnit.value_or(DiskUtils::suMega),
        choices.divisors1024 ? DiskUtils::UnitDivisors1024 : DiskUtils::UnitDivisors1000,
        choices.byteWords ? DiskUtils::ByteUnitNames : DiskUtils::OctetUnitNames);
}

DriveRecord AsTheWindowShows(DriveRecord record, const DiskUtils::DisplayOptions& display) {
    record.Row.FreeText = DiskUtils::ByteCountText(record.Disk.FreeBytes, display, 2);
    return record;
}

// Snapshots that cannot be read cost the notice its line on what grew, never the notice.
QString GrewLineOf(history::Store& store, const history::DriveKey& key, const QString& folder,
                   std::int64_t now, const DiskUtils::DisplayOptions& display) {
    auto compared = warnings::LoadComparedSnapshots(store, key);
    if (auto* error = std::get_if<history::HistoryError>(&compared)) {
        Fail("a notice without what grew: " + error->message, 0);
        return {};
    }
    const auto& pair = std::get<std::optional<warnings::ComparedSnapshots>>(compared);
    if (!pair) return {};
    return GrewLine(pair->before, pair->after, folder, now, display, QTimeZone::systemTimeZone());
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
    std::vector<Due> dueDrives;
    for (const DriveRecord& record : drives) {
        auto weighed = Weigh(store, record, now, rules);
        if (!weighed) return;
        const QString id = DriveIdOf(record);
        weighed->reading.muted = loaded.choices.mutedDrives.contains(id);
        auto stored = store.Memory(weighed->key);
        if (auto* error = std::get_if<history::HistoryError>(&stored))
            return Report(error->message);
        const auto& memory = std::get<history::WarningMemory>(stored);
        const warnings::Decision decision = warnings::Decide(weighed->reading, memory, now, rules);
        if (decision.warning) {
            dueDrives.push_back({&record, id, *weighed});
        } else if (decision.memory != memory) {
            const auto shared =
                warnings::DecideShared(store, weighed->key, weighed->reading, now, rules);
            if (auto* error = std::get_if<history::HistoryError>(&shared))
                return Report(error->message);
        }
    }
    if (dueDrives.empty()) return;

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
    const bool markup = capabilities.value().contains(QStringLiteral("body-markup"));
    const DiskUtils::DisplayOptions display = WindowDisplay(loaded.choices);

    for (const Due& due : dueDrives) {
        const WeighedDrive& drive = due.drive;
        const auto shared = warnings::DecideShared(store, drive.key, drive.reading, now, rules);
        if (auto* error = std::get_if<history::HistoryError>(&shared))
            return Report(error->message);
        const auto& decision = std::get<warnings::Decision>(shared);
        // The window may have warned in the meantime.
        if (!decision.warning) continue;
        const DriveRecord shown = AsTheWindowShows(*due.record, display);
        const QString folder = QString::fromStdString(
            shown.MountPoint.value_or(DiskUtils::RootPathOf(shown.Disk.DriveLetter)));
        // A one-shot run cannot wait for a button, so its notice has none.
        const Notice notice = NoticeOf(*decision.warning, shown, drive.fullInSeconds, due.id,
                                       folder, GrewLineOf(store, drive.key, folder, now, display));
        const QDBusReply<uint> sent = bus.call(notices::NotifyCall(notice, 0, false, markup),
                                               QDBus::Block, notices::kCallTimeoutMs);
        if (!sent.isValid()) Report(sent.error().message().toStdString());
    }
}

}  // namespace drives
