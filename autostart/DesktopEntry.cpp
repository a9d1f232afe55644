#include "DesktopEntry.h"

#include <QList>
#include <algorithm>

#include "BuildInfo.h"

namespace {

// The string type's own escapes, which apply on top of the Exec quoting.
QString StringValue(QString text) {
    text.replace(u'\\', QStringLiteral("\\\\"));
    text.replace(u'\n', QStringLiteral("\\n"));
    text.replace(u'\t', QStringLiteral("\\t"));
    text.replace(u'\r', QStringLiteral("\\r"));
    return text;
}

}  // namespace

QString ExecArgument(const QString& path) {
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    QString argument = path;
    // A lone % would start a field code such as %f.
    argument.replace(u'%', QStringLiteral("%%"));
    const bool plain = std::none_of(argument.begin(), argument.end(),
                                    [](QChar c) { return reserved.contains(c); });
    if (plain) return StringValue(argument);
    QString quoted = QStringLiteral("\"");
    for (const QChar c : argument) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\') quoted += u'\\';
        quoted += c;
    }
    quoted += u'"';
    return StringValue(quoted);
}

QByteArray AutostartDesktopEntry(const QString& program) {
    // TryExec lets the session skip the entry quietly once the program is uninstalled.
    const QString text =
        QStringLiteral(
            "[Desktop Entry]\n"
            "Type=Application\n"
            "Name=Vollmark\n"
            "Comment=See how full every drive is, in one narrow window\n"
            "Icon=%1\n"
            "TryExec=%2\n"
            "Exec=%3\n"
            "Terminal=false\n"
            "X-GNOME-Autostart-enabled=true\n")
            .arg(QString::fromLatin1(kApplicationId), StringValue(program), ExecArgument(program));
    return text.toUtf8();
}

bool DesktopEntryStarts(const QByteArray& content) {
    const QList<QByteArray> lines = content.split('\n');
    return std::none_of(lines.begin(), lines.end(), [](const QByteArray& line) {
        const QByteArray trimmed = line.trimmed();
        return trimmed == "Hidden=true" || trimmed == "X-GNOME-Autostart-enabled=false";
    });
}
