#pragma once

#include <QString>
#include <QTimeZone>
#include <chrono>
#include <cstdint>
#include <optional>

#include "DriveReport.h"
#include "Snapshot.h"
#include "WarningRules.h"

// One desktop notification about one drive, its texts already in the user's language.
struct Notice {
    QString driveId;  // what "don't warn for this drive" keeps; a later notice replaces this one
    QString title;
    QString body;
    QString folder;  // what "open" shows in the file manager; the drive's mount point
};

// What "don't warn for this drive" keeps, and what the settings list: the serial and the
// mount point, as the history knows the drive.
QString DriveIdOf(const DriveRecord& record);

// The words of the warnings, in the user's language; figures as the window shows them.
QString OpenActionText();
QString MuteActionText();
QString SpaceActionText();

// "3 дн.": minutes, hours up to two days, then days.
QString DurationText(std::int64_t seconds);
// "Заповниться приблизно за 3 дн.".
QString FullInText(std::int64_t seconds);

// The drive as its row names it: "C: Label", or "C:" without a label.
QString DriveNameOf(const DriveRecord& record);

// A notice is about the drive now: snapshots older than this say too little about that.
inline constexpr std::chrono::seconds kGrewLineFreshFor = std::chrono::hours(48);

// The line naming the folder that grew most between two snapshots of the drive mounted at
// `folder`: "Найбільше зросла тека /data/var: +9,800.00 Mo з учорашнього дня.", "since
// yesterday" when `before` was taken the day before `after` and that is today in `zone`, else
// "in" the time between them. Empty when nothing grew by as much as the unit shows, when
// `after` is not newer than `before`, or older than kGrewLineFreshFor at `now`.
QString GrewLine(const history::Snapshot& before, const history::Snapshot& after,
                 const QString& folder, std::int64_t now, const DiskUtils::DisplayOptions& display,
                 const QTimeZone& zone);

// `grewLine`, when there is one, is the body's last line.
Notice NoticeOf(warnings::WarningKind kind, const DriveRecord& record,
                std::optional<std::int64_t> fullInSeconds, const QString& driveId,
                const QString& folder, const QString& grewLine = {});
