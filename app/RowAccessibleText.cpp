#include "RowAccessibleText.h"

#include <QCoreApplication>
#include <QStringList>

AccessibleRowText DescribeRow(const RowContent& content) {
    QStringList name;
    for (const std::string* part : {&content.RowText, &content.Label, &content.BracketText})
        if (!part->empty()) name << QString::fromStdString(*part);
    const QString description =
        QCoreApplication::translate("RowPainter", "Total %1, Free %2, Used %3, %4")
            .arg(QString::fromStdString(content.TotalText),
                 QString::fromStdString(content.FreeText), QString::fromStdString(content.UsedText),
                 QString::fromStdString(content.PercentText));
    return {name.join(QLatin1Char(' ')), description};
}
