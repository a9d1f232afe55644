#pragma once

#include <QFont>
#include <QString>

// The row layout assumes Tahoma's narrow metrics. Where the font system has no Tahoma,
// registers a metric-compatible substitute from `fontDirs` (Wine's, by default); without
// one the list quietly falls back to the default sans font. Needs a QGuiApplication.
void SetUpFonts();
void SetUpFonts(const QStringList& fontDirs);

// The list's font: Tahoma, 12 pixels, regular.
QFont ListFont();
// The window's own font: MS Sans Serif, 11 pixels, regular.
QFont FormFont();
