#include "Startup.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QImageReader>
#include <QPixmap>
#include <QStandardPaths>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <string_view>
#include <vector>

#include "BuildInfo.h"
#include "CommandLine.h"
#include "DisplayCheck.h"

std::optional<int> RunBeforeApplication(int argc, char** argv) {
    const std::vector<std::string_view> parameters(argv + 1, argv + argc);
    switch (ReadEarlyAction(parameters)) {
        case EarlyAction::Help:
            std::fputs(HelpText().c_str(), stdout);
            return 0;
        case EarlyAction::Version:
            std::fputs(VersionText().c_str(), stdout);
            return 0;
        case EarlyAction::Start:
            break;
    }
    if (const auto problem = PrepareSystemDisplay(parameters)) {
        std::fprintf(stderr, "vollmark: %s\n", problem->c_str());
        return 1;
    }
    return std::nullopt;
}

namespace {

// The pictures the package installs into the hicolor icon theme where it is installed (for
// the user or the system), otherwise the embedded copies of the same pictures. The theme is not
// asked: that parses its whole index, kept for the program's life (0.6 MB), to find these files.
QString IconFile(int size, const QString& id) {
    const QString installed =
        QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                               QStringLiteral("icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(id));
    return installed.isEmpty() ? QStringLiteral(":/icons/%1/%2.png").arg(size).arg(id) : installed;
}

// Read as PNG outright: a reader left to detect the format loads every image-format plugin
// to ask it, although Qt reads PNG itself.
void SetApplicationIcon() {
    const QString id = QString::fromLatin1(kApplicationId);
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        QImageReader reader(IconFile(size, id), "png");
        reader.setAutoDetectImageFormat(false);
        const QImage image = reader.read();
        if (!image.isNull()) icon.addPixmap(QPixmap::fromImage(image));
    }
    QGuiApplication::setWindowIcon(icon);
}

// The first expose of a widget window paints it and puts the frame on the screen before the
// event handler returns; a zero timer started there runs after that.
class FirstFrameWatch : public QObject {
public:
    explicit FirstFrameWatch(QWindow* window) : QObject(window) {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed()) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, this, [this] {
                SetApplicationIcon();
                deleteLater();
            });
        }
        return false;
    }
};

}  // namespace

void SetApplicationIdentity() {
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kApplicationId));
}

void SetApplicationIconAfterFirstFrame(QWindow* window) {
    if (window)
        new FirstFrameWatch(window);
    else
        SetApplicationIcon();
}

bool PageFileBesideExecutable(const QString& executableDir, const QString& installedBinDir,
                              bool executableDirWritable) {
    return executableDirWritable &&
           QDir::cleanPath(executableDir) != QDir::cleanPath(installedBinDir);
}

QString PageFileFolder(const QString& executableDir) {
    if (PageFileBesideExecutable(executableDir, QString::fromLatin1(kInstalledBinDir),
                                 QFileInfo(executableDir).isWritable()))
        return executableDir;
    // Asked only here: Qt warns on every query where XDG_RUNTIME_DIR is not set.
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
}
