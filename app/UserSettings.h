#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

#include "DiskUtils.h"
#include "WindowPlacement.h"

class QSettings;

// The main window's choices that outlive a run. The defaults are the start state: a run with
// nothing saved starts as every run always did.
struct SavedChoices {
    bool divisors1024 = false;
    bool byteWords = false;
    // Empty until the user picks a unit: until then the rows stay in mega units while the
    // menu's check mark stands on giga, as on every first start.
    std::optional<DiskUtils::SizeUnit> displayUnit;
    bool transparent = false;
    bool onTop = false;
    std::optional<SavedPlacement> placement;
    bool warningsOn = true;
    // Drives the user asked never to be warned about, as DriveIdOf (WarningTexts.h) names them.
    QStringList mutedDrives;

    bool operator==(const SavedChoices&) const = default;
};

struct LoadedChoices {
    SavedChoices choices;
    // Why the file was ignored, in one line; empty when it was read (or there was none).
    std::optional<QString> problem;
};

// The user's settings file, vollmark/vollmark.ini in the configuration folder (XDG on
// Linux, the roaming application data on Windows).
std::unique_ptr<QSettings> OpenUserSettings();

// A file that cannot be read or holds anything but what StoreChoices writes is ignored
// whole: half of someone else's settings could be a combination nobody chose.
LoadedChoices LoadChoices(QSettings& settings);

// Writes every choice and replaces the file at once. False when the file could not be
// written; the old one is then left as it was.
bool StoreChoices(QSettings& settings, const SavedChoices& choices);
