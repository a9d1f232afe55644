#include "EmbeddedData.h"

#include <QFile>

std::optional<QByteArray> EmbeddedData(const QString& name) {
    if (name.isEmpty()) return std::nullopt;
    QFile file(QStringLiteral(":/resources/") + name);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    return file.readAll();
}
