#pragma once

#include <QString>
#include <cstdint>
#include <optional>

#include "DriveReport.h"
#include "WarningRules.h"

// One desktop notification about one drive, its texts already in the user's language.
struct Notice {
    QString driveId;  // what "don't warn for this drive" keeps; a later notice replaces this one
    QString title;
    QString body;
    QString folder;  // what "open" shows in the file manager
};

// What "don't warn for this drive" keeps, and what the settings list: the serial and the
// mount point, as the history knows the drive.
QString DriveIdOf(const DriveRecord& record);

// The words of the warnings, in the user's language; figures as the window shows them.
QString OpenActionText();
QString MuteActionText();

// "3 дн.": minutes, hours up to two days, then days.
QString DurationText(std::int64_t seconds);
// "Заповниться приблизно за 3 дн.".
QString FullInText(std::int64_t seconds);

// The drive as its row names it: "C: Label", or "C:" without a label.
QString DriveNameOf(const DriveRecord& record);

Notice NoticeOf(warnings::WarningKind kind, const DriveRecord& record,
                std::optional<std::int64_t> fullInSeconds, const QString& driveId,
                const QString& folder);
