#include "UserSettings.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>
#include <QStringList>
#include <algorithm>

using DiskUtils::SizeUnit;

namespace {

const QString kDivisor = QStringLiteral("units/divisor");
const QString kWords = QStringLiteral("units/words");
const QString kDisplay = QStringLiteral("units/display");
const QString kTransparent = QStringLiteral("window/transparent");
const QString kOnTop = QStringLiteral("window/onTop");
const QString kScreen = QStringLiteral("window/screen");
const QString kLeft = QStringLiteral("window/left");
const QString kTop = QStringLiteral("window/top");
const QString kWarnings = QStringLiteral("warnings/on");
const QString kMuted = QStringLiteral("warnings/muted");

const QStringList kKnownKeys{kDivisor, kWords, kDisplay, kTransparent, kOnTop,
                             kScreen,  kLeft,  kTop,     kWarnings,    kMuted};

const QStringList kDivisorWords{QStringLiteral("1000"), QStringLiteral("1024")};
const QStringList kUnitWordSets{QStringLiteral("octets"), QStringLiteral("bytes")};
// Indexed by SizeUnit; bytes are not a display unit the menu offers.
const QStringList kDisplayWords{QString(), QStringLiteral("kilo"), QStringLiteral("mega"),
                                QStringLiteral("giga"), QStringLiteral("tera")};
const QStringList kSwitchWords{QStringLiteral("false"), QStringLiteral("true")};

// Far beyond any desktop; a larger offset is a damaged file, not a monitor.
constexpr int kLargestOffset = 1 << 20;

struct Damaged {
    QString why;
};

[[noreturn]] void ThrowBadValue(const QString& key) {
    throw Damaged{QStringLiteral("%1 holds no valid value").arg(key)};
}

// Random bytes read as INI do not fail to parse: they turn into keys of their own, or into
// nothing at all when no line holds an equals sign.
void CheckKeys(const QSettings& settings) {
    const QStringList keys = settings.allKeys();
    if (keys.isEmpty() && QFileInfo(settings.fileName()).size() > 0)
        throw Damaged{QStringLiteral("the file holds no settings")};
    if (std::any_of(keys.begin(), keys.end(),
                    [](const QString& key) { return !kKnownKeys.contains(key); }))
        throw Damaged{QStringLiteral("the file holds entries this program never writes")};
}

// The position of the key's value among `words`; nullopt when the key is not there.
std::optional<int> Pick(const QSettings& settings, const QString& key, const QStringList& words) {
    if (!settings.contains(key)) return std::nullopt;
    const QString value = settings.value(key).toString();
    const qsizetype index = value.isEmpty() ? -1 : words.indexOf(value);
    if (index < 0) ThrowBadValue(key);
    return static_cast<int>(index);
}

bool Switch(const QSettings& settings, const QString& key) {
    return Pick(settings, key, kSwitchWords).value_or(0) == 1;
}

int Offset(const QSettings& settings, const QString& key) {
    bool ok = false;
    const int value = settings.value(key).toString().toInt(&ok);
    if (!ok || value < -kLargestOffset || value > kLargestOffset) ThrowBadValue(key);
    return value;
}

std::optional<SavedPlacement> Placement(const QSettings& settings) {
    const int present = int(settings.contains(kScreen)) + int(settings.contains(kLeft)) +
                        int(settings.contains(kTop));
    if (present == 0) return std::nullopt;
    if (present != 3) ThrowBadValue(kScreen);
    // Some platforms give their screens no name; an empty one is still that screen.
    return SavedPlacement{settings.value(kScreen).toString(),
                          QPoint(Offset(settings, kLeft), Offset(settings, kTop))};
}

// The serial in hex, a space, the mount point.
QStringList MutedDrives(const QSettings& settings) {
    static const QRegularExpression drive(QStringLiteral("^[0-9A-F]{8} .+$"));
    const QStringList muted = settings.value(kMuted).toStringList();
    for (const QString& id : muted)
        if (!drive.match(id).hasMatch()) ThrowBadValue(kMuted);
    return muted;
}

SavedChoices Read(const QSettings& settings) {
    CheckKeys(settings);
    SavedChoices choices;
    choices.divisors1024 = Pick(settings, kDivisor, kDivisorWords).value_or(0) == 1;
    choices.byteWords = Pick(settings, kWords, kUnitWordSets).value_or(0) == 1;
    if (const auto unit = Pick(settings, kDisplay, kDisplayWords))
        choices.displayUnit = static_cast<SizeUnit>(*unit);
    choices.transparent = Switch(settings, kTransparent);
    choices.onTop = Switch(settings, kOnTop);
    choices.placement = Placement(settings);
    choices.warningsOn = Pick(settings, kWarnings, kSwitchWords).value_or(1) == 1;
    choices.mutedDrives = MutedDrives(settings);
    return choices;
}

QString Unreadable(const QSettings& settings, const QString& why) {
    return QStringLiteral("ignoring the settings in %1: %2").arg(settings.fileName(), why);
}

}  // namespace

std::unique_ptr<QSettings> OpenUserSettings() {
    auto settings =
        std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                    QStringLiteral("vollmark"), QStringLiteral("vollmark"));
    // The default already, and the reason for this format: the file is written beside its
    // final name and renamed over it, never rewritten in place.
    settings->setAtomicSyncRequired(true);
    return settings;
}

LoadedChoices LoadChoices(QSettings& settings) {
    switch (settings.status()) {
        case QSettings::AccessError:
            return {{}, Unreadable(settings, QStringLiteral("the file cannot be read"))};
        case QSettings::FormatError:
            return {{}, Unreadable(settings, QStringLiteral("the file is damaged"))};
        case QSettings::NoError:
            break;
    }
    try {
        return {Read(settings), std::nullopt};
    } catch (const Damaged& damage) {
        return {{}, Unreadable(settings, damage.why)};
    }
}

bool StoreChoices(QSettings& settings, const SavedChoices& choices) {
    // A QSettings keeps the first error it met for the rest of its life, so neither the
    // damaged file read at start nor one failed write may decide whether this write worked:
    // it goes through an object of its own and is judged by reading the file back.
    QSettings file(settings.fileName(), settings.format());
    file.setAtomicSyncRequired(true);
    // The file holds nothing but these choices; whatever else a damaged file held would
    // otherwise be written back with them.
    file.clear();
    file.setValue(kDivisor, kDivisorWords[choices.divisors1024 ? 1 : 0]);
    file.setValue(kWords, kUnitWordSets[choices.byteWords ? 1 : 0]);
    if (choices.displayUnit) file.setValue(kDisplay, kDisplayWords[*choices.displayUnit]);
    file.setValue(kTransparent, kSwitchWords[choices.transparent ? 1 : 0]);
    file.setValue(kOnTop, kSwitchWords[choices.onTop ? 1 : 0]);
    if (choices.placement) {
        file.setValue(kScreen, choices.placement->screenName);
        file.setValue(kLeft, choices.placement->offset.x());
        file.setValue(kTop, choices.placement->offset.y());
    }
    // Only what differs from the start state, so a file without them reads as it always did.
    if (!choices.warningsOn) file.setValue(kWarnings, kSwitchWords[0]);
    if (!choices.mutedDrives.isEmpty()) file.setValue(kMuted, choices.mutedDrives);
    file.sync();
    settings.sync();
    QSettings written(settings.fileName(), settings.format());
    const LoadedChoices readBack = LoadChoices(written);
    return !readBack.problem && readBack.choices == choices;
}
