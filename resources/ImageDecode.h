// Decoders for the embedded image formats: bytes in, pixels out, no resource lookup.
#pragma once

#include <QByteArray>
#include <QImage>
#include <cstdint>
#include <vector>

struct DecodedImage {
    QImage color;                     // Format_RGB32, opaque
    std::vector<std::uint8_t> alpha;  // one byte per pixel, row-major; empty without alpha
};

// Larger images are refused before any pixel memory is taken, so damaged size fields
// cannot make the program allocate gigabytes.
inline constexpr int kMaxImageSide = 8192;

// An opaque colour image for a decoder to fill; throws when the memory cannot be had.
QImage NewColorImage(int width, int height);

bool LooksLikePng(const QByteArray& data);
bool LooksLikeJpeg(const QByteArray& data);

// Both throw std::runtime_error with a readable message when the data cannot be decoded.
DecodedImage DecodePng(const QByteArray& data);
DecodedImage DecodeJpeg(const QByteArray& data);
