#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The raw bytes of the embedded item ":/resources/<name>", or nothing when no item of that
// name is linked into the program.
std::optional<QByteArray> EmbeddedData(const QString& name);
