// Draws every embedded picture and writes the files under resources/art/.
// Usage: vollmark-artgen <output folder> [<icon theme folder>]
#include <QDir>
#include <QFontDatabase>
#include <QGuiApplication>
#include <cstdio>
#include <optional>

#include "AppIcon.h"
#include "Art.h"
#include "BuildInfo.h"
#include "Encoders.h"

namespace {

constexpr int kAboutBoxBytes = 24894;

bool writePng(const QDir& dir, const QString& name, const QImage& image, bool alpha) {
    return SaveArtFile(dir, name + ".png", EncodePng(image, alpha));
}

// The 1x set under the plain names, the 2x set under the same names with "@2x" appended.
bool writeRowArt(const QDir& dir, int scale) {
    const QString suffix = scale == 1 ? QString() : QString("@%1x").arg(scale);
    bool ok = writePng(dir, "GGOODL" + suffix, BarCap(true, scale), true);
    ok &= writePng(dir, "GGOODM" + suffix, BarColumn(true, scale), false);
    ok &= writePng(dir, "GHUHOM" + suffix, BarColumn(false, scale), false);
    ok &= writePng(dir, "GHUHOR" + suffix, BarCap(false, scale), true);
    const std::pair<const char*, RowKind> rows[] = {
        {"GDRV", RowKind::Local}, {"GNET", RowKind::Network}, {"GOTH", RowKind::Drive}};
    for (const auto& [name, kind] : rows) {
        ok &= writePng(dir, name + suffix, RowPanel(kind, false, scale), false);
        ok &= writePng(dir, name + QString("SL") + suffix, RowPanel(kind, true, scale), false);
    }
    return ok;
}

bool writeAboutArt(const QDir& dir) {
    bool ok = writePng(dir, "ABOUT", AboutPicture(), false);
    for (int i = 0; i < 8; ++i) ok &= writePng(dir, QString("DANCE%1").arg(i), DanceFrame(i), true);
    ok &= SaveArtFile(dir, "ABOUTBOX.jpg", EncodeJpegOfSize(AboutBoxPicture(), kAboutBoxBytes));
    ok &= SaveArtFile(dir, "RUZUVO.html", DancePage());
    return ok;
}

bool writeIcons(const QDir& dir) {
    bool ok = true;
    for (int type = 1; type <= 6; ++type)
        ok &= SaveArtFile(dir, QString("IDT%1.ico").arg(type), EncodeIcon(DriveIcon(type)));
    return ok;
}

// Qt would silently substitute another face, and the committed pictures would change.
bool letteringFontsPresent() {
    const QStringList families = QFontDatabase::families();
    for (const char* family : {"DejaVu Sans", "DejaVu Serif"}) {
        if (!families.contains(family)) {
            std::fprintf(stderr, "artgen: font %s is missing (Debian: fonts-dejavu-core)\n",
                         family);
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    // Text needs a font database, which needs an application object; no window is ever shown.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: vollmark-artgen <output folder> [<icon theme folder>]\n");
        return 2;
    }
    if (!letteringFontsPresent()) return 1;
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.exists() && !QDir().mkpath(dir.path())) {
        std::fprintf(stderr, "artgen: cannot create %s\n", argv[1]);
        return 1;
    }
    bool ok = writeRowArt(dir, 1) & writeRowArt(dir, 2) & writeIcons(dir) & writeAboutArt(dir);
    if (argc == 3) ok &= WriteAppIcons(QDir(QString::fromLocal8Bit(argv[2])), kApplicationId);
    return ok ? 0 : 1;
}
