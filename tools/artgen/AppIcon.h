// The application icon of the desktop's icon theme, drawn from one design at every size.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QImage>
#include <QString>

inline constexpr int kAppIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

QImage AppIcon(int size);
QByteArray AppIconSvg();

// Writes hicolor/<n>x<n>/apps/<id>.png for every size, hicolor/scalable/apps/<id>.svg and the
// Windows icon windows/<id>.ico under `themeRoot`; reports each failure on stderr and returns false
// when any file failed.
bool WriteAppIcons(const QDir& themeRoot, const QString& applicationId);
