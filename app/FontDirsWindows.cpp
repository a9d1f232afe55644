#include <QStandardPaths>

#include "Fonts.h"

QStringList SubstituteFontDirs() {
    return QStandardPaths::standardLocations(QStandardPaths::FontsLocation);
}
