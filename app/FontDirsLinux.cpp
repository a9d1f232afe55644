#include "Fonts.h"

QStringList SubstituteFontDirs() {
    return {QStringLiteral("/usr/share/wine/fonts")};
}
