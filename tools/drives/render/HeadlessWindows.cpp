#include <fcntl.h>
#include <io.h>

#include <QWidget>
#include <cstdio>

#include "Headless.h"

// Every Windows session has a desktop, and the system's own platform draws with the fonts and
// rasteriser the window uses (Qt's offscreen one would look for font files in Qt's folder).
void ChooseHeadlessPlatform() {}

void KeepOffScreen(QWidget& form) {
    form.setAttribute(Qt::WA_DontShowOnScreen);
}

// The C runtime would otherwise turn each line feed byte of the PNG into CR LF.
void SetStdoutBinary() {
    std::fflush(stdout);
    _setmode(_fileno(stdout), _O_BINARY);
}
