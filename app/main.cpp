#include <QApplication>
#include <QLocale>
#include <QTimer>
#include <QTranslator>

#include "AboutForm.h"
#include "DiskUtils.h"
#include "ErrorReporter.h"
#include "Fonts.h"
#include "InfosForm.h"
#include "MainForm.h"
#include "Translations.h"
#include "Unit1.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // The title goes in as the application name: a display name would be appended to every
    // window caption on X11.
    QApplication::setApplicationName(kApplicationTitle);
    // The information window may still be open when the main window closes; the program
    // ends with the main window all the same.
    QApplication::setQuitOnLastWindowClosed(false);
    QTranslator translator;
    InstallTranslation(translator, QLocale::system().uiLanguages());
    platform::installLayer(platform::createSystemLayer());
    DiskUtils::LoadNumberSeparators();
    SetUpFonts();
    const TErrorReporter reporter(ShowErrorBox);

    TFrmMain FrmMain;
    reporter.Run([&] { FrmMain.FormCreate(); });
    TFrmDiskInfo FrmDiskInfo(&FrmMain);
    reporter.Run([&] { FrmDiskInfo.FormCreate(); });
    FrmMain.AttachDiskInfo(&FrmDiskInfo);
    TFrmAbout FrmAbout(QApplication::arguments().mid(1), QApplication::applicationDirPath());
    reporter.Run([&] { FrmAbout.FormCreate(); });
    TAboutBox AboutBox;

    QObject::connect(&FrmMain, &TFrmMain::Closed, &app, &QApplication::quit);
    FrmMain.show();
    if (FrmAbout.HiddenMode()) QTimer::singleShot(0, &FrmAbout, &TFrmAbout::PresentHiddenMode);
    const int exitCode = QApplication::exec();

    reporter.Run([&] { FrmAbout.FormDestroy(); });
    reporter.Run([&] { FrmDiskInfo.FormDestroy(); });
    reporter.Run([&] { FrmMain.FormDestroy(); });
    return exitCode;
}
