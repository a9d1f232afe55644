#include <png.h>

#include <vector>

#include "Encoders.h"

namespace {

void appendBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<QByteArray*>(png_get_io_ptr(png));
    out->append(reinterpret_cast<const char*>(data), static_cast<qsizetype>(length));
}

void noFlush(png_structp) {}

// libpng reports errors by longjmp; this frame holds no object with a destructor.
bool encodeRows(png_bytepp rows, int width, int height, int colorType, QByteArray* out) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, out, appendBytes, noFlush);
    png_set_compression_level(png, 9);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 colorType, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

std::optional<QByteArray> EncodePng(const QImage& image, bool withAlpha) {
    const QImage pixels = StraightAlpha(image).convertToFormat(withAlpha ? QImage::Format_RGBA8888
                                                                         : QImage::Format_RGB888);
    std::vector<png_bytep> rows(static_cast<std::size_t>(pixels.height()));
    for (int y = 0; y < pixels.height(); ++y)
        rows[static_cast<std::size_t>(y)] = const_cast<png_bytep>(pixels.constScanLine(y));
    QByteArray out;
    if (!encodeRows(rows.data(), pixels.width(), pixels.height(),
                    withAlpha ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB, &out))
        return std::nullopt;
    return out;
}
