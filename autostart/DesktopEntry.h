// The XDG autostart file's text, in freedesktop.org's desktop entry format.
#pragma once

#include <QByteArray>
#include <QString>

// The whole file for an entry that starts `program` (an absolute path).
QByteArray AutostartDesktopEntry(const QString& program);

// False for a file that a desktop's own settings switched off (Hidden=true, or GNOME's
// X-GNOME-Autostart-enabled=false): the session would not start it.
bool DesktopEntryStarts(const QByteArray& content);

// `path` as the one argument of an Exec line: quoted where it holds a reserved character,
// with both the quoting's and the file format's escapes.
QString ExecArgument(const QString& path);
