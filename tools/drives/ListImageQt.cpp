#include <QApplication>
#include <QImage>
#include <cstdio>

#include "Fonts.h"
#include "ListReport.h"
#include "MainForm.h"
#include "Options.h"

namespace drives {
namespace {

// The menu choices that the options stand for, each followed by its rescan.
void ChooseOptions(TFrmMain& form, const Options& options) {
    DiskUtils::SetUnitDivisors(options.divisors);
    DiskUtils::SetUnitNames(options.words);
    DiskUtils::DisplayUnit = options.unit;
    form.Rescan1Click();
}

// The offscreen platform reports what it cannot do (size hints, raising) on every showing;
// for a report tool that is noise. Errors still get through.
void QuietQtMessages(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
}

}  // namespace

std::optional<std::string> WriteListImage(const std::string& path, const Options& options) {
    // The picture is rendered off screen: no display is needed, and none is opened even
    // where one is set, so the tool behaves the same in a terminal and in a script.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietQtMessages);
    static int argc = 1;
    static char name[] = "vollmark-drives";
    static char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    SetUpFonts();
    TFrmMain form;
    try {
        form.FormCreate();
    } catch (const std::exception& error) {
        return std::string("cannot create the main window: ") + error.what();
    }
    ChooseOptions(form, options);
    form.show();
    QApplication::processEvents();
    const QImage image = form.grab().toImage();
    form.FormDestroy();
    if (!image.save(QString::fromStdString(path), "PNG")) return "cannot write " + path;
    return std::nullopt;
}

}  // namespace drives
