#include <QApplication>
#include <QDateTime>
#include <QLocale>
#include <QSettings>
#include <QTimer>
#include <QTranslator>
#include <cstdio>

#include "AboutForm.h"
#include "DiskUtils.h"
#include "DriveWarnings.h"
#include "DriveWatcher.h"
#include "EndRequests.h"
#include "ErrorReporter.h"
#include "Fonts.h"
#include "HistoryPath.h"
#include "InfosForm.h"
#include "MainForm.h"
#include "Recorder.h"
#include "SnapshotSource.h"
#include "Startup.h"
#include "StoreHistorySource.h"
#include "Translations.h"
#include "Unit1.h"
#include "UserSettings.h"

namespace {

// Every ten minutes, like the timer of the tool; nothing when the user has no state folder.
std::unique_ptr<history::BackgroundRecorder> OpenUsageHistory(
    const std::optional<std::string>& path) {
    if (!path) return nullptr;
    const auto report = [](const std::string& message) {
        std::fprintf(stderr, "vollmark: usage history: %s\n", message.c_str());
    };
    return std::make_unique<history::BackgroundRecorder>(
        *path, history::StoreOptions{}, std::chrono::minutes(10), history::SystemNow, report);
}

}  // namespace

int main(int argc, char* argv[]) {
    if (const auto exitCode = RunBeforeApplication(argc, argv)) return *exitCode;
    QApplication app(argc, argv);
    // The title goes in as the application name: a display name would be appended to every
    // window caption on X11.
    QApplication::setApplicationName(kApplicationTitle);
    SetApplicationIdentity();
    // The information window may still be open when the main window closes; the program
    // ends with the main window all the same.
    QApplication::setQuitOnLastWindowClosed(false);
    QTranslator translator;
    InstallTranslation(translator, QLocale::system().uiLanguages());
    platform::installLayer(platform::createSystemLayer());
    DiskUtils::LoadNumberSeparators();
    SetUpFonts();
    const TErrorReporter reporter(ShowErrorBox);

    const std::unique_ptr<QSettings> settings = OpenUserSettings();
    const auto historyFile = history::DefaultHistoryFile(history::ProcessEnvironment);
    const std::unique_ptr<history::BackgroundRecorder> recorder = OpenUsageHistory(historyFile);
    TFrmMain FrmMain(settings.get());
    const TDriveWarnings::Options warningOptions;
    TDriveWarnings warnings(
        CreateSystemNotifier,
        historyFile ? std::make_unique<THistoryForecasts>(*historyFile, warningOptions.rules)
                    : nullptr,
        &QDateTime::currentSecsSinceEpoch, warningOptions);
    FrmMain.AttachWarnings(&warnings);
    reporter.Run([&] { FrmMain.FormCreate(); });
    TFrmDiskInfo FrmDiskInfo(&FrmMain);
    reporter.Run([&] { FrmDiskInfo.FormCreate(); });
    FrmMain.AttachDiskInfo(&FrmDiskInfo);
    FrmMain.AttachHistory(recorder.get(), StoreHistorySource(historyFile),
                          &QDateTime::currentSecsSinceEpoch);
    FrmMain.AttachSnapshots(folderview::StoreSnapshotSource(historyFile));
    TFrmAbout FrmAbout(QApplication::arguments().mid(1),
                       PageFileFolder(QApplication::applicationDirPath()));
    reporter.Run([&] { FrmAbout.FormCreate(); });
    TAboutBox AboutBox;

    const std::unique_ptr<TDriveWatcher> driveWatcher = CreateSystemDriveWatcher();
    FrmMain.WatchDrives(*driveWatcher);
    // exit() ends every running event loop at once, a modal one of the about window too.
    QObject::connect(&FrmMain, &TFrmMain::Closed, &app, [] { QApplication::exit(0); });
    TEndRequests endRequests(FrmMain);
    QObject::connect(&endRequests, &TEndRequests::EndRequested, &FrmMain, &TFrmMain::close);
    FrmMain.show();
    SetApplicationIconAfterFirstFrame(FrmMain.windowHandle());
    if (FrmAbout.HiddenMode()) QTimer::singleShot(0, &FrmAbout, &TFrmAbout::PresentHiddenMode);
    const int exitCode = QApplication::exec();

    reporter.Run([&] { FrmAbout.FormDestroy(); });
    reporter.Run([&] { FrmDiskInfo.FormDestroy(); });
    reporter.Run([&] { FrmMain.FormDestroy(); });
    return exitCode;
}
