#include <png.h>
#include <zlib.h>

#include <stdexcept>
#include <string>

#include "ImageDecode.h"

namespace {

// png_image keeps its state in an opaque block that must be released on every path.
struct PngImageGuard {
    png_image image{};
    PngImageGuard() { image.version = PNG_IMAGE_VERSION; }
    ~PngImageGuard() { png_image_free(&image); }
    PngImageGuard(const PngImageGuard&) = delete;
    PngImageGuard& operator=(const PngImageGuard&) = delete;
};

[[noreturn]] void fail(const png_image& image) {
    throw std::runtime_error(std::string("The png image could not be decoded: ") + image.message);
}

DecodedImage split(const std::vector<std::uint8_t>& pixels, int width, int height, int channels) {
    DecodedImage out;
    out.color = NewColorImage(width, height);
    if (channels == 4) out.alpha.resize(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* src = pixels.data() + static_cast<std::size_t>(y) * width * channels;
        auto* dst = reinterpret_cast<QRgb*>(out.color.scanLine(y));
        for (int x = 0; x < width; ++x, src += channels) {
            dst[x] = qRgb(src[0], src[1], src[2]);
            if (channels == 4) out.alpha[static_cast<std::size_t>(y) * width + x] = src[3];
        }
    }
    return out;
}

std::uint32_t bigEndian32(const QByteArray& data, qsizetype at) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(data.constData()) + at;
    return std::uint32_t{bytes[0]} << 24 | std::uint32_t{bytes[1]} << 16 |
           std::uint32_t{bytes[2]} << 8 | std::uint32_t{bytes[3]};
}

[[noreturn]] void failWith(const std::string& message) {
    throw std::runtime_error("The png image could not be decoded: " + message);
}

// Chunk layout: length (4 bytes, big-endian), type (4), data (length), CRC-32 of type and data (4).
void checkChunks(const QByteArray& data) {
    constexpr qsizetype kSignature = 8;
    constexpr qsizetype kFraming = 12;
    qsizetype at = kSignature;
    while (at + kFraming <= data.size()) {
        const std::uint32_t length = bigEndian32(data, at);
        if (length > static_cast<std::uint64_t>(data.size() - at - kFraming))
            failWith("Not enough image data");
        const auto* typeAndData = reinterpret_cast<const Bytef*>(data.constData() + at + 4);
        const std::string type(data.constData() + at + 4, 4);
        if (crc32(0, typeAndData, length + 4) != bigEndian32(data, at + 8 + length))
            failWith(type + ": CRC error");
        if (type == "IEND") return;
        at += kFraming + length;
    }
    failWith("Not enough image data");
}

}  // namespace

bool LooksLikePng(const QByteArray& data) {
    return data.size() >= 8 &&
           png_sig_cmp(reinterpret_cast<png_const_bytep>(data.constData()), 0, 8) == 0;
}

DecodedImage DecodePng(const QByteArray& data) {
    PngImageGuard guard;
    png_image& image = guard.image;
    if (!png_image_begin_read_from_memory(&image, data.constData(),
                                          static_cast<std::size_t>(data.size())))
        fail(image);
    if (image.width > kMaxImageSide || image.height > kMaxImageSide)
        throw std::runtime_error("The png image is too large.");
    const bool alpha = (image.format & PNG_FORMAT_FLAG_ALPHA) != 0;
    image.format = alpha ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
    std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) fail(image);
    return split(pixels, static_cast<int>(image.width), static_cast<int>(image.height),
                 alpha ? 4 : 3);
}

ImageHeader CheckPng(const QByteArray& data) {
    PngImageGuard guard;
    png_image& image = guard.image;
    if (!png_image_begin_read_from_memory(&image, data.constData(),
                                          static_cast<std::size_t>(data.size())))
        fail(image);
    if (image.width > kMaxImageSide || image.height > kMaxImageSide)
        throw std::runtime_error("The png image is too large.");
    checkChunks(data);
    return {static_cast<int>(image.width), static_cast<int>(image.height),
            (image.format & PNG_FORMAT_FLAG_ALPHA) != 0};
}
