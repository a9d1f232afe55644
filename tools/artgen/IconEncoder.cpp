#include <QtEndian>

#include "Encoders.h"

namespace {

constexpr int kDirectoryBytes = 6;
constexpr int kEntryBytes = 16;
constexpr int kInfoBytes = 40;

void put16(QByteArray& out, quint16 value) {
    const quint16 le = qToLittleEndian(value);
    out.append(reinterpret_cast<const char*>(&le), 2);
}

void put32(QByteArray& out, quint32 value) {
    const quint32 le = qToLittleEndian(value);
    out.append(reinterpret_cast<const char*>(&le), 4);
}

// Mask rows are padded to whole 4-byte words.
int maskRowBytes(int side) {
    return (side + 31) / 32 * 4;
}

int imageBytes(int side) {
    return kInfoBytes + side * side * 4 + maskRowBytes(side) * side;
}

void putEntry(QByteArray& out, int side, int offset) {
    out.append(char(side & 0xff));  // width, height (0 means 256), no palette, reserved
    out.append(char(side & 0xff));
    out.append(char(0));
    out.append(char(0));
    put16(out, 1);   // planes
    put16(out, 32);  // bits per pixel
    put32(out, imageBytes(side));
    put32(out, offset);
}

void putInfoHeader(QByteArray& out, int side) {
    put32(out, kInfoBytes);
    put32(out, side);
    put32(out, side * 2);  // the height counts the colour image and the mask together
    put16(out, 1);
    put16(out, 32);
    put32(out, 0);  // BI_RGB
    put32(out, imageBytes(side) - kInfoBytes);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
}

void putImage(QByteArray& out, const QImage& image) {
    const int side = image.width();
    const QImage pixels = StraightAlpha(image);
    putInfoHeader(out, side);
    for (int y = side - 1; y >= 0; --y) {
        const auto* row = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        for (int x = 0; x < side; ++x) put32(out, row[x]);  // 0xAARRGGBB is BGRA in memory
    }
    for (int y = side - 1; y >= 0; --y) {
        const auto* row = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        QByteArray bits(maskRowBytes(side), '\0');
        for (int x = 0; x < side; ++x)
            if (qAlpha(row[x]) == 0) bits[x / 8] = char(bits[x / 8] | (0x80 >> (x % 8)));
        out.append(bits);
    }
}

}  // namespace

QByteArray EncodeIcon(const QImage& image) {
    return EncodeIconSet({StraightAlpha(image).scaled(32, 32, Qt::IgnoreAspectRatio)});
}

QByteArray EncodeIconSet(const std::vector<QImage>& images) {
    QByteArray out;
    put16(out, 0);  // ICONDIR: reserved, type 1 = icon, image count
    put16(out, 1);
    put16(out, static_cast<quint16>(images.size()));
    int offset = kDirectoryBytes + kEntryBytes * static_cast<int>(images.size());
    for (const QImage& image : images) {
        putEntry(out, image.width(), offset);
        offset += imageBytes(image.width());
    }
    for (const QImage& image : images) putImage(out, image);
    return out;
}
