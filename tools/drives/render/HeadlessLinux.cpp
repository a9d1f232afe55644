#include <QWidget>
#include <QtGlobal>

#include "Headless.h"

// No display is needed, and none is opened even where one is set, so the picture is the same
// in a terminal and in a script.
void ChooseHeadlessPlatform() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
}

// The offscreen platform has no screen to show anything on.
void KeepOffScreen(QWidget&) {}

// POSIX streams never translate line ends.
void SetStdoutBinary() {}
