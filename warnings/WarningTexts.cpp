#include "WarningTexts.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>

#include "DriveSamples.h"
#include "Durations.h"
#include "GrewMost.h"

namespace {

// A drive-relative snapshot path beneath the drive's mount point, as the system writes paths.
QString PathOn(const QString& mountPoint, const std::string& relative) {
    QString path = mountPoint;
    if (!relative.empty()) {
        if (!path.endsWith(QLatin1Char('/')) && !path.endsWith(QLatin1Char('\\')))
            path += QLatin1Char('/');
        path += QString::fromStdString(relative);
    }
    return QDir::toNativeSeparators(path);
}

}  // namespace

QString OpenActionText() {
    return QCoreApplication::translate("DriveWarnings", "Відкрити");
}

QString MuteActionText() {
    return QCoreApplication::translate("DriveWarnings", "Не попереджати про цей диск");
}

QString SpaceActionText() {
    return QCoreApplication::translate("DriveWarnings", "Що займає місце...");
}

QString DurationText(std::int64_t seconds) {
    const DurationFigure figure = DurationFigureOf(seconds);
    const QString count = QString::number(figure.count);
    switch (figure.unit) {
        case DurationFigure::Unit::Minutes:
            return QCoreApplication::translate("DriveWarnings", "%1 хв").arg(count);
        case DurationFigure::Unit::Hours:
            return QCoreApplication::translate("DriveWarnings", "%1 год").arg(count);
        case DurationFigure::Unit::Days:
            break;
    }
    return QCoreApplication::translate("DriveWarnings", "%1 дн.").arg(count);
}

QString FullInText(std::int64_t seconds) {
    return QCoreApplication::translate("DriveWarnings", "Заповниться приблизно за %1")
        .arg(DurationText(seconds));
}

QString DriveIdOf(const DriveRecord& record) {
    const history::DriveKey key = history::KeyOf(record);
    return QString::number(key.serial, 16).rightJustified(8, QLatin1Char('0')).toUpper() +
           QLatin1Char(' ') + QString::fromStdString(key.mountPoint);
}

QString DriveNameOf(const DriveRecord& record) {
    const QString letter = QString::fromStdString(record.Row.RowText);
    const QString label = QString::fromStdString(record.Row.Label);
    return label.isEmpty() ? letter : letter + QLatin1Char(' ') + label;
}

QString GrewLine(const history::Snapshot& before, const history::Snapshot& after,
                 const QString& folder, std::int64_t now, const DiskUtils::DisplayOptions& display,
                 const QTimeZone& zone) {
    if (after.time <= before.time || now - after.time > kGrewLineFreshFor.count()) return {};
    const auto grown = warnings::GrewMost(before, after);
    if (!grown) return {};
    const std::string size = DiskUtils::ByteCountText(grown->changeBytes, display, 2);
    // A growth too small for the unit would read "+0.00".
    if (size == DiskUtils::ByteCountText(0, display, 2)) return {};
    const QString change = QLatin1Char('+') + QString::fromStdString(size);
    const QString path = PathOn(folder, grown->path);
    const QDate from = QDateTime::fromSecsSinceEpoch(before.time, zone).date();
    const QDate to = QDateTime::fromSecsSinceEpoch(after.time, zone).date();
    QString line =
        from.addDays(1) == to && to == QDateTime::fromSecsSinceEpoch(now, zone).date()
            ? QCoreApplication::translate("DriveWarnings",
                                          "Найбільше зросла тека %1: %2 з учорашнього дня")
                  .arg(path, change)
            : QCoreApplication::translate("DriveWarnings", "Найбільше зросла тека %1: %2 за %3")
                  .arg(path, change, DurationText(after.time - before.time));
    // "за 3 дн." ends with its own.
    if (!line.endsWith(QLatin1Char('.'))) line += QLatin1Char('.');
    return line;
}

Notice NoticeOf(warnings::WarningKind kind, const DriveRecord& record,
                std::optional<std::int64_t> fullInSeconds, const QString& driveId,
                const QString& folder, const QString& grewLine) {
    const QString name = DriveNameOf(record);
    Notice notice;
    notice.driveId = driveId;
    notice.folder = folder;
    notice.title =
        kind == warnings::WarningKind::LowSpace
            ? QCoreApplication::translate("DriveWarnings", "Мало місця на диску %1").arg(name)
            : QCoreApplication::translate("DriveWarnings", "Диск %1 швидко заповнюється").arg(name);
    notice.body = QCoreApplication::translate("DriveWarnings", "Вільно: %1.")
                      .arg(QString::fromStdString(record.Row.FreeText));
    if (fullInSeconds) notice.body += QLatin1Char('\n') + FullInText(*fullInSeconds) + '.';
    if (!grewLine.isEmpty()) notice.body += QLatin1Char('\n') + grewLine;
    return notice;
}
