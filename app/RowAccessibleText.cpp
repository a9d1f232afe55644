#include "RowAccessibleText.h"

#include <QCoreApplication>
#include <QStringList>

namespace {

QString Text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

}  // namespace

AccessibleRowText DescribeRow(const RowContent& content) {
    QStringList name;
    for (const std::string* part : {&content.RowText, &content.Label, &content.BracketText})
        if (!part->empty()) name << Text(*part);
    const QString description =
        QCoreApplication::translate("RowPainter", "Total %1, Free %2, Used %3, %4")
            .arg(Text(content.TotalText), Text(content.FreeText), Text(content.UsedText),
                 Text(content.PercentText));
    return {name.join(QLatin1Char(' ')), description};
}
