#include "DesktopSession.h"

#include <QGuiApplication>

DesktopSession ThisDesktopSession() {
    return {QGuiApplication::platformName().startsWith(QLatin1String("wayland")),
            SystemAutostartPlace()};
}
