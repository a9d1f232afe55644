#include <QStringList>

#include "Art.h"

namespace {

constexpr int kPageBytes = 1503;
constexpr char kPlayer[] =
    "player.swf?file=dance.mp3&amp;autostart=true&amp;backcolor=525252&amp;"
    "frontcolor=dddddd&amp;textcolor=ffffff";

QString linkPair(const char* firstUrl, const char* first, const char* secondUrl,
                 const char* second) {
    return QStringLiteral(
               "<a href=\"%1\" target=\"_blank\">%2</a>&nbsp;.&nbsp;"
               "<a href=\"%3\" target=\"_blank\">%4</a>")
        .arg(firstUrl, first, secondUrl, second);
}

QStringList pageLines(const QString& padding) {
    const QString player = QString::fromLatin1(kPlayer);
    return {
        "<!DOCTYPE html>",
        "<html>",
        "<head>",
        "<title>Vollmark</title>",
        "<style type=\"text/css\">",
        "body { margin: 0px 0px 0px 0px; background-color: #505050; }",
        "div { position: absolute; width: 180px; height: 25px; left: 166px; top: 0px; "
        "z-index: 100; }",
        "a { text-decoration: none; font-family: tahoma; font-size: 9pt; color: #ffffff; }",
        "a:hover { color: #ff9900;" + padding + " }",
        "</style>",
        "</head>",
        "<body>",
        "<div style=\"width: 160px; height: 21px; left: 8px; top: 4px; z-index: 100; "
        "text-align: center;\">" +
            linkPair("https://www.qt.io/", "Qt", "https://www.debian.org/", "Debian") + "</div>",
        "<div style=\"width: 180px; height: 25px; left: 166px; top: 0px; z-index: 101;\">",
        "<object type=\"application/x-shockwave-flash\" data=\"" + player +
            "\" width=\"180\" height=\"25\">",
        "<param name=\"movie\" value=\"" + player + "\">",
        "<embed src=\"" + player +
            "\" type=\"application/x-shockwave-flash\" width=\"180\" height=\"25\">",
        "</object>",
        "</div>",
        "<div style=\"width: 160px; height: 21px; left: 352px; top: 4px; z-index: 102; "
        "text-align: center;\">" +
            linkPair("https://www.gnu.org/", "GNU", "https://www.kernel.org/", "Linux") + "</div>",
        "</body>",
        "</html>",
    };
}

QByteArray joinCrlf(const QStringList& lines) {
    return lines.join(QStringLiteral("\r\n")).toLatin1() + "\r\n";
}

}  // namespace

// The page is padded with blanks inside one style rule to its fixed size.
QByteArray DancePage() {
    const QByteArray bare = joinCrlf(pageLines(QString()));
    if (bare.size() > kPageBytes) return {};
    return joinCrlf(pageLines(QString(kPageBytes - bare.size(), QLatin1Char(' '))));
}
