#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include "Autostart.h"
#include "BuildInfo.h"
#include "DesktopEntry.h"

AutostartPlace SystemAutostartPlace() {
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return {
        QStringLiteral("%1/autostart/%2.desktop").arg(config, QString::fromLatin1(kApplicationId)),
        QStringLiteral("%1/vollmark").arg(QString::fromLatin1(kInstalledBinDir))};
}

bool AutostartEnabled(const AutostartPlace& place) {
    QFile file(place.location);
    if (!file.open(QIODevice::ReadOnly)) return false;
    return DesktopEntryStarts(file.readAll());
}

namespace {

QString CannotWrite(const AutostartPlace& place, const QString& why) {
    return QStringLiteral("cannot write the log-in entry %1: %2; the old file stays as it was")
        .arg(place.location, why);
}

}  // namespace

std::optional<QString> SetAutostartEnabled(const AutostartPlace& place, bool enabled) {
    if (!enabled) {
        QFile file(place.location);
        if (!file.exists() || file.remove()) return std::nullopt;
        return QStringLiteral("cannot remove the log-in entry %1: %2")
            .arg(place.location, file.errorString());
    }
    const QString folder = QFileInfo(place.location).absolutePath();
    if (!QDir().mkpath(folder))
        return CannotWrite(place, QStringLiteral("the folder %1 cannot be made").arg(folder));
    QSaveFile file(place.location);
    if (!file.open(QIODevice::WriteOnly)) return CannotWrite(place, file.errorString());
    file.write(AutostartDesktopEntry(place.program));
    if (!file.commit()) return CannotWrite(place, file.errorString());
    return std::nullopt;
}
