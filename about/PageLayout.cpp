#include "PageLayout.h"

#include <QMap>
#include <QRegularExpression>

namespace {

using Declarations = QMap<QString, QString>;

Declarations ParseDeclarations(const QString& style) {
    static const QRegularExpression declaration(QStringLiteral("([\\w-]+)\\s*:\\s*([^;]+)"));
    Declarations result;
    for (const auto& match : declaration.globalMatch(style))
        result.insert(match.captured(1).toLower(), match.captured(2).trimmed());
    return result;
}

Declarations RuleOf(const QString& styleSheet, const QString& selector) {
    const QRegularExpression rule(QStringLiteral("(?:^|[\\s}])%1\\s*\\{([^}]*)\\}")
                                      .arg(QRegularExpression::escape(selector)));
    return ParseDeclarations(rule.match(styleSheet).captured(1));
}

int Pixels(const Declarations& own, const Declarations& defaults, const QString& name) {
    QString value = own.value(name, defaults.value(name));
    value.remove(QStringLiteral("px"));
    return value.trimmed().toInt();
}

PageBlock BlockOf(const QString& inlineStyle, const QString& content,
                  const Declarations& defaults) {
    const Declarations own = ParseDeclarations(inlineStyle);
    const QString align =
        own.value(QStringLiteral("text-align"), defaults.value(QStringLiteral("text-align")));
    return PageBlock{QRect(Pixels(own, defaults, QStringLiteral("left")),
                           Pixels(own, defaults, QStringLiteral("top")),
                           Pixels(own, defaults, QStringLiteral("width")),
                           Pixels(own, defaults, QStringLiteral("height"))),
                     align.compare(QStringLiteral("center"), Qt::CaseInsensitive) == 0,
                     content.trimmed()};
}

}  // namespace

PageLayout ReadPageLayout(const QString& html) {
    static const QRegularExpression styleElement(
        QStringLiteral("<style[^>]*>(.*?)</style>"),
        QRegularExpression::DotMatchesEverythingOption | QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression block(
        QStringLiteral("<div(?:\\s+style=\"([^\"]*)\")?[^>]*>(.*?)</div>"),
        QRegularExpression::DotMatchesEverythingOption | QRegularExpression::CaseInsensitiveOption);

    PageLayout layout;
    layout.Style = styleElement.match(html).captured(1);
    layout.Background = QColor(
        RuleOf(layout.Style, QStringLiteral("body")).value(QStringLiteral("background-color")));
    const Declarations defaults = RuleOf(layout.Style, QStringLiteral("div"));
    for (const auto& match : block.globalMatch(html))
        layout.Blocks.push_back(BlockOf(match.captured(1), match.captured(2), defaults));
    return layout;
}
