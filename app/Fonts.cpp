#include "Fonts.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QStringList>

namespace {

struct Substitute {
    const char* family;
    QStringList files;
};

void RegisterIfMissing(const Substitute& substitute, const QStringList& fontDirs) {
    if (QFontDatabase::hasFamily(QString::fromLatin1(substitute.family))) return;
    for (const QString& dir : fontDirs) {
        bool found = false;
        for (const QString& file : substitute.files) {
            const QString path = QDir(dir).filePath(file);
            if (QFile::exists(path)) found |= QFontDatabase::addApplicationFont(path) >= 0;
        }
        if (found) return;
    }
}

QFont PixelFont(const char* family, int pixels) {
    QFont font(QString::fromLatin1(family));
    font.setPixelSize(pixels);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

}  // namespace

void SetUpFonts() {
    SetUpFonts(SubstituteFontDirs());
}

void SetUpFonts(const QStringList& fontDirs) {
    RegisterIfMissing({"Tahoma", {"tahoma.ttf", "tahomabd.ttf"}}, fontDirs);
    RegisterIfMissing({"MS Sans Serif", {"ms_sans_serif.ttf"}}, fontDirs);
}

QFont ListFont() {
    return PixelFont("Tahoma", 12);
}

QFont FormFont() {
    return PixelFont("MS Sans Serif", 11);
}
