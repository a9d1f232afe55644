#include <QCoreApplication>
#include <QDir>
#include <QSettings>

#include "Autostart.h"

namespace {

const QString kValueName = QStringLiteral("Vollmark");

}  // namespace

// Windows programs are started from wherever they were unpacked, so the entry names the
// running executable.
AutostartPlace SystemAutostartPlace() {
    return {QStringLiteral("HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run"),
            QDir::toNativeSeparators(QCoreApplication::applicationFilePath())};
}

bool AutostartEnabled(const AutostartPlace& place) {
    const QSettings run(place.location, QSettings::NativeFormat);
    return run.contains(kValueName);
}

// The registry replaces a value in one step: a failed write leaves the old value.
std::optional<QString> SetAutostartEnabled(const AutostartPlace& place, bool enabled) {
    QSettings run(place.location, QSettings::NativeFormat);
    if (enabled)
        run.setValue(kValueName, QStringLiteral("\"%1\"").arg(place.program));
    else
        run.remove(kValueName);
    run.sync();
    if (run.status() == QSettings::NoError) return std::nullopt;
    return QStringLiteral("cannot change the log-in entry %1 in %2")
        .arg(kValueName, place.location);
}
