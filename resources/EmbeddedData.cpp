#include "EmbeddedData.h"

#include <QResource>

std::optional<QByteArray> EmbeddedData(const QString& name) {
    if (name.isEmpty()) return std::nullopt;
    const QResource item(QStringLiteral(":/resources/") + name);
    // A folder is valid too, but has no data.
    if (!item.isValid() || item.data() == nullptr) return std::nullopt;
    // The items are stored as they are (see CMakeLists.txt), so their bytes are used where they
    // lie in the program instead of being copied or unpacked at every start.
    if (item.compressionAlgorithm() == QResource::NoCompression)
        return QByteArray::fromRawData(reinterpret_cast<const char*>(item.data()), item.size());
    return item.uncompressedData();
}
