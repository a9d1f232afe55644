#include <QtEndian>

#include "Encoders.h"

namespace {

constexpr int kSide = 32;
constexpr int kHeaderBytes = 6 + 16;
constexpr int kInfoBytes = 40;
constexpr int kColorBytes = kSide * kSide * 4;
constexpr int kMaskBytes = kSide * kSide / 8;  // 32-pixel rows are already 4-byte aligned

void put16(QByteArray& out, quint16 value) {
    const quint16 le = qToLittleEndian(value);
    out.append(reinterpret_cast<const char*>(&le), 2);
}

void put32(QByteArray& out, quint32 value) {
    const quint32 le = qToLittleEndian(value);
    out.append(reinterpret_cast<const char*>(&le), 4);
}

void putHeaders(QByteArray& out) {
    put16(out, 0);  // ICONDIR: reserved, type 1 = icon, one image
    put16(out, 1);
    put16(out, 1);
    out.append(char(kSide));  // ICONDIRENTRY: width, height, no palette, reserved
    out.append(char(kSide));
    out.append(char(0));
    out.append(char(0));
    put16(out, 1);   // planes
    put16(out, 32);  // bits per pixel
    put32(out, kInfoBytes + kColorBytes + kMaskBytes);
    put32(out, kHeaderBytes);
}

void putInfoHeader(QByteArray& out) {
    put32(out, kInfoBytes);
    put32(out, kSide);
    put32(out, kSide * 2);  // the height counts the colour image and the mask together
    put16(out, 1);
    put16(out, 32);
    put32(out, 0);  // BI_RGB
    put32(out, kColorBytes + kMaskBytes);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
}

}  // namespace

QByteArray EncodeIcon(const QImage& image) {
    const QImage pixels = StraightAlpha(image).scaled(kSide, kSide, Qt::IgnoreAspectRatio);
    QByteArray out;
    putHeaders(out);
    putInfoHeader(out);
    for (int y = kSide - 1; y >= 0; --y) {
        const auto* row = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        for (int x = 0; x < kSide; ++x) put32(out, row[x]);  // 0xAARRGGBB is BGRA in memory
    }
    for (int y = kSide - 1; y >= 0; --y) {
        const auto* row = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        for (int byte = 0; byte < kSide / 8; ++byte) {
            int bits = 0;
            for (int bit = 0; bit < 8; ++bit)
                if (qAlpha(row[byte * 8 + bit]) == 0) bits |= 0x80 >> bit;
            out.append(char(bits));
        }
    }
    return out;
}
