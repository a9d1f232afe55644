#include "Startup.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QStandardPaths>
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

void SetApplicationIdentity() {
    const QString id = QString::fromLatin1(kApplicationId);
    QGuiApplication::setDesktopFileName(id);
    // The installed theme's icon wins; the embedded copy serves a program run from its
    // build folder.
    QIcon embedded;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        embedded.addFile(QStringLiteral(":/icons/%1/%2.png").arg(size).arg(id));
    QGuiApplication::setWindowIcon(QIcon::fromTheme(id, embedded));
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
