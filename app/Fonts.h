#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

// The row layout assumes Tahoma's narrow metrics. Where the font system has no Tahoma,
// registers a metric-compatible substitute from `fontDirs` (SubstituteFontDirs(), by
// default); without one the list quietly falls back to the default sans font. Needs a
// QGuiApplication.
void SetUpFonts();
void SetUpFonts(const QStringList& fontDirs);

// Where the substitutes lie: Wine's fonts on Linux; on Windows the system's font folder, which
// a font system that does not list it (Qt's offscreen platform) can still load files from.
QStringList SubstituteFontDirs();

// The list's font: Tahoma, 12 pixels, regular.
QFont ListFont();
// The window's own font: MS Sans Serif, 11 pixels, regular.
QFont FormFont();
