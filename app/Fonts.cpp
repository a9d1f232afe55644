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

// The installed families are asked by name alone: hasFamily() would first put the name through
// the font system's substitution rules, which costs more than all the rest of the start-up's font
// work, and a family a rule merely stands in for is not the one the rows are laid out for.
void RegisterIfMissing(const Substitute& substitute, const QStringList& installed,
                       const QStringList& fontDirs) {
    if (installed.contains(QString::fromLatin1(substitute.family), Qt::CaseInsensitive)) return;
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
    const QStringList installed = QFontDatabase::families();
    RegisterIfMissing({"Tahoma", {"tahoma.ttf", "tahomabd.ttf"}}, installed, fontDirs);
    RegisterIfMissing({"MS Sans Serif", {"ms_sans_serif.ttf"}}, installed, fontDirs);
}

QFont ListFont() {
    return PixelFont("Tahoma", 12);
}

QFont FormFont() {
    return PixelFont("MS Sans Serif", 11);
}
