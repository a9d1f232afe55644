#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QLocale>
#include <QTranslator>
#include <cstdio>
#include <string_view>
#include <vector>

#include "DiskUtils.h"
#include "Fonts.h"
#include "Headless.h"
#include "MainForm.h"
#include "Options.h"
#include "Translations.h"

// Renders the main window's list as PNG to standard output, for vollmark-drives --png: the
// tool itself stays free of the GUI libraries and writes the file. Takes the display options.
namespace {

// The offscreen platform reports what it cannot do (size hints, raising) on every showing;
// for a report tool that is noise. Errors still get through.
void QuietQtMessages(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "vollmark-drives: %s\n", message.c_str());
    return 1;
}

QImage Grab(const drives::Options& options) {
    TFrmMain form;
    form.FormCreate();
    drives::ApplyDisplayOptions(options);
    form.Rescan1Click();
    KeepOffScreen(form);
    form.show();
    QApplication::processEvents();
    QImage image = form.grab().toImage();
    form.FormDestroy();
    return image;
}

bool WritePng(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!image.save(&buffer, "PNG")) return false;
    SetStdoutBinary();
    QFile out;
    return out.open(stdout, QIODevice::WriteOnly) && out.write(bytes) == bytes.size() &&
           out.flush();
}

}  // namespace

int main(int argc, char** argv) {
    const auto parsed = drives::ParseOptions(std::vector<std::string_view>(argv + 1, argv + argc));
    if (const auto* error = std::get_if<drives::OptionError>(&parsed)) return Fail(error->message);
    ChooseHeadlessPlatform();
    qInstallMessageHandler(QuietQtMessages);
    QApplication app(argc, argv);
    // The picture is the window's list, so its texts are in the language the window speaks.
    QTranslator translator;
    InstallTranslation(translator, QLocale::system().uiLanguages());
    platform::installLayer(platform::createSystemLayer());
    DiskUtils::LoadNumberSeparators();
    SetUpFonts();
    QImage image;
    try {
        image = Grab(std::get<drives::Options>(parsed));
    } catch (const std::exception& error) {
        return Fail(std::string("cannot create the main window: ") + error.what());
    }
    if (!WritePng(image)) return Fail("cannot encode the drive list as PNG");
    return 0;
}
