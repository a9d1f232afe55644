#pragma once

#include <QApplication>
#include <QString>
#include <ostream>

// One application object for the whole test program, created on first use.
inline QApplication& TestApp() {
    static int argc = 1;
    static char name[] = "app_window_test";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

// Lets failing expectations print texts instead of their code units.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << text.toStdString();
}
