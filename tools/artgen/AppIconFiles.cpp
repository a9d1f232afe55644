#include <QFileInfo>
#include <QSaveFile>
#include <cstdio>

#include "AppIcon.h"
#include "Encoders.h"

bool SaveArtFile(const QDir& root, const QString& relative,
                 const std::optional<QByteArray>& bytes) {
    if (!bytes || bytes->isEmpty()) {
        std::fprintf(stderr, "artgen: could not encode %s\n", qPrintable(relative));
        return false;
    }
    const QString path = root.filePath(relative);
    if (!QDir().mkpath(QFileInfo(path).path())) {
        std::fprintf(stderr, "artgen: cannot create the folder of %s\n", qPrintable(path));
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(*bytes) != bytes->size() ||
        // commit() can report success after a failed flush (a full disk), leaving an empty file.
        !file.flush() || !file.commit()) {
        std::fprintf(stderr, "artgen: cannot write %s: %s\n", qPrintable(path),
                     qPrintable(file.errorString()));
        return false;
    }
    return true;
}

bool WriteAppIcons(const QDir& themeRoot, const QString& applicationId) {
    bool ok = true;
    for (const int size : kAppIconSizes) {
        const QString name = QString("hicolor/%1x%1/apps/%2.png").arg(size).arg(applicationId);
        ok &= SaveArtFile(themeRoot, name, EncodePng(AppIcon(size), true));
    }
    ok &= SaveArtFile(themeRoot, QString("hicolor/scalable/apps/%1.svg").arg(applicationId),
                      AppIconSvg());
    // The Windows programs, their Start-menu entry and the installer carry the same design.
    std::vector<QImage> windowsSizes;
    for (const int size : {16, 24, 32, 48, 256}) windowsSizes.push_back(AppIcon(size));
    ok &= SaveArtFile(themeRoot, QString("windows/%1.ico").arg(applicationId),
                      EncodeIconSet(windowsSizes));
    return ok;
}
