#include "WarningTexts.h"

#include <QCoreApplication>
#include <cmath>

namespace {

QString Rounded(double value) {
    return QString::number(static_cast<long long>(std::llround(value)));
}

}  // namespace

QString OpenActionText() {
    return QCoreApplication::translate("DriveWarnings", "Відкрити");
}

QString MuteActionText() {
    return QCoreApplication::translate("DriveWarnings", "Не попереджати про цей диск");
}

QString DurationText(std::int64_t seconds) {
    const double minutes = static_cast<double>(seconds) / 60;
    if (minutes < 60)
        return QCoreApplication::translate("DriveWarnings", "%1 хв")
            .arg(Rounded(std::max(minutes, 1.0)));
    if (minutes < 48 * 60)
        return QCoreApplication::translate("DriveWarnings", "%1 год").arg(Rounded(minutes / 60));
    return QCoreApplication::translate("DriveWarnings", "%1 дн.").arg(Rounded(minutes / (24 * 60)));
}

QString FullInText(std::int64_t seconds) {
    return QCoreApplication::translate("DriveWarnings", "Заповниться приблизно за %1")
        .arg(DurationText(seconds));
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
