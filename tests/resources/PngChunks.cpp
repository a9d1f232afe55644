#include "PngChunks.h"

#include <QtEndian>

namespace {

quint32 be32(const QByteArray& bytes, qsizetype at) {
    return qFromBigEndian<quint32>(reinterpret_cast<const uchar*>(bytes.constData()) + at);
}

int byteAt(const QByteArray& bytes, qsizetype at) {
    return static_cast<uchar>(bytes[at]);
}

}  // namespace

std::optional<PngLayout> ReadPngLayout(const QByteArray& bytes) {
    if (!bytes.startsWith("\x89PNG\r\n\x1a\n")) return std::nullopt;
    PngLayout layout;
    qsizetype at = 8;
    while (at + 12 <= bytes.size()) {
        const quint32 length = be32(bytes, at);
        if (length > bytes.size() - at - 12) return std::nullopt;
        const QByteArray type = bytes.mid(at + 4, 4);
        if (type == "IHDR" && length == 13) {
            layout.header = {be32(bytes, at + 8), be32(bytes, at + 12), byteAt(bytes, at + 16),
                             byteAt(bytes, at + 17), byteAt(bytes, at + 20)};
        }
        layout.chunks << QString::fromLatin1(type);
        at += 12 + length;
        if (type == "IEND") return at == bytes.size() ? std::optional(layout) : std::nullopt;
    }
    return std::nullopt;
}

std::optional<std::vector<JpegSegment>> ReadJpegSegments(const QByteArray& bytes) {
    if (!bytes.startsWith("\xFF\xD8")) return std::nullopt;
    std::vector<JpegSegment> segments{{0xD8, {}}};
    qsizetype at = 2;
    while (at + 4 <= bytes.size() && byteAt(bytes, at) == 0xFF) {
        const int marker = byteAt(bytes, at + 1);
        const int length = byteAt(bytes, at + 2) << 8 | byteAt(bytes, at + 3);
        if (length < 2 || at + 2 + length > bytes.size()) return std::nullopt;
        segments.push_back({marker, bytes.mid(at + 4, length - 2)});
        if (marker == 0xDA) return segments;
        at += 2 + length;
    }
    return std::nullopt;
}
