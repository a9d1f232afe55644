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
// An icon file's frame, without decoding it: a directory of at least one image whose data lies
// within the file and starts as a bitmap header or a PNG.
bool LooksLikeIcon(const QByteArray& data);

// Both throw std::runtime_error with a readable message when the data cannot be decoded.
DecodedImage DecodePng(const QByteArray& data);
DecodedImage DecodeJpeg(const QByteArray& data);

struct ImageHeader {
    int width = 0;
    int height = 0;
    bool alpha = false;
};

// What can be learnt without decoding a pixel: the size and the colour type, and whether the
// data is whole. For PNG every chunk's checksum is compared, so a damaged or cut file is found
// here; JPEG has no checksum, and a cut file is found by its missing end marker. Both throw
// the decoders' messages.
ImageHeader CheckPng(const QByteArray& data);
ImageHeader CheckJpeg(const QByteArray& data);
