#include "WarningTexts.h"

#include <QCoreApplication>

#include "DriveSamples.h"
#include "Durations.h"

QString OpenActionText() {
    return QCoreApplication::translate("DriveWarnings", "Відкрити");
}

QString MuteActionText() {
    return QCoreApplication::translate("DriveWarnings", "Не попереджати про цей диск");
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

Notice NoticeOf(warnings::WarningKind kind, const DriveRecord& record,
                std::optional<std::int64_t> fullInSeconds, const QString& driveId,
                const QString& folder) {
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
    return notice;
}
