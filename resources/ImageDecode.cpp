#include "ImageDecode.h"

#include <QtEndian>
#include <stdexcept>

QImage NewColorImage(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull()) throw std::runtime_error("Not enough memory to decode the image.");
    return image;
}

bool LooksLikeIcon(const QByteArray& data) {
    // ICONDIR: reserved 0, type 1, image count; then 16-byte entries whose last two fields are
    // the image's byte count and offset. A bitmap image starts with its header's size, 40.
    constexpr qsizetype kDirectory = 6;
    constexpr qsizetype kEntry = 16;
    constexpr quint32 kBitmapHeader = 40;
    if (data.size() < kDirectory + kEntry) return false;
    const auto* bytes = reinterpret_cast<const uchar*>(data.constData());
    const quint16 count = qFromLittleEndian<quint16>(bytes + 4);
    if (qFromLittleEndian<quint16>(bytes) != 0 || qFromLittleEndian<quint16>(bytes + 2) != 1 ||
        count == 0 || data.size() < kDirectory + kEntry * count)
        return false;
    const quint32 size = qFromLittleEndian<quint32>(bytes + kDirectory + 8);
    const quint32 offset = qFromLittleEndian<quint32>(bytes + kDirectory + 12);
    const auto fileSize = static_cast<quint64>(data.size());
    if (size < kBitmapHeader || size > fileSize || offset > fileSize - size) return false;
    return qFromLittleEndian<quint32>(bytes + offset) == kBitmapHeader ||
           LooksLikePng(data.mid(offset, 8));
}
