#include <cstdio>  // jpeglib.h needs FILE and size_t declared first

#include <jpeglib.h>

#include <csetjmp>
#include <stdexcept>
#include <string>

#include "ImageDecode.h"

namespace {

struct JpegError {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

// libjpeg is C: an exception must not unwind through its frames, so errors leave by longjmp
// back to decodeRaw, whose frame holds no object with a destructor.
void onFatal(j_common_ptr info) {
    auto* error = reinterpret_cast<JpegError*>(info->err);
    error->manager.format_message(info, error->message);
    std::longjmp(error->jump, 1);
}

// Replaces the default, which prints to stderr; it must still count the warnings (level -1).
void onMessage(j_common_ptr info, int level) {
    if (level < 0) ++info->err->num_warnings;
}

struct RawJpeg {
    std::vector<std::uint8_t> rgb;
    int width = 0;
    int height = 0;
    bool damaged = false;
};

// Returns nullptr on success, otherwise the decoder's message (stored in error).
const char* decodeRaw(const QByteArray& data, RawJpeg& out, JpegError& error) {
    jpeg_decompress_struct info{};
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = onFatal;
    error.manager.emit_message = onMessage;
    if (setjmp(error.jump)) {
        jpeg_destroy_decompress(&info);
        return error.message;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(data.constData()),
                 static_cast<unsigned long>(data.size()));
    jpeg_read_header(&info, TRUE);
    if (info.image_width > kMaxImageSide || info.image_height > kMaxImageSide) {
        jpeg_destroy_decompress(&info);
        return "The jpeg image is too large.";
    }
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    out.width = static_cast<int>(info.output_width);
    out.height = static_cast<int>(info.output_height);
    out.rgb.resize(static_cast<std::size_t>(out.width) * out.height * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row =
            out.rgb.data() + static_cast<std::size_t>(info.output_scanline) * out.width * 3;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    out.damaged = error.manager.num_warnings > 0;
    jpeg_destroy_decompress(&info);
    return nullptr;
}

}  // namespace

bool LooksLikeJpeg(const QByteArray& data) {
    return data.size() >= 3 && static_cast<unsigned char>(data[0]) == 0xFF &&
           static_cast<unsigned char>(data[1]) == 0xD8 &&
           static_cast<unsigned char>(data[2]) == 0xFF;
}

DecodedImage DecodeJpeg(const QByteArray& data) {
    RawJpeg raw;
    JpegError error{};
    if (const char* message = decodeRaw(data, raw, error))
        throw std::runtime_error(std::string("The jpeg image could not be decoded: ") + message);
    // Truncated or corrupt data makes libjpeg invent grey blocks with only a warning;
    // showing such a picture would hide a broken build.
    if (raw.damaged) throw std::runtime_error("The jpeg image is damaged.");
    DecodedImage out;
    out.color = NewColorImage(raw.width, raw.height);
    for (int y = 0; y < raw.height; ++y) {
        const std::uint8_t* src = raw.rgb.data() + static_cast<std::size_t>(y) * raw.width * 3;
        auto* dst = reinterpret_cast<QRgb*>(out.color.scanLine(y));
        for (int x = 0; x < raw.width; ++x, src += 3) dst[x] = qRgb(src[0], src[1], src[2]);
    }
    return out;
}

// Walked by hand rather than by libjpeg, which a window that is never shown should not load:
// segments are FF, a marker and (except SOI, EOI and RSTn) a big-endian length that counts
// itself; the frame header (SOF0..SOF15 but DHT, JPG, DAC) holds the height and width after
// the sample precision; entropy-coded data follows the scan header (SOS) to the end marker.
ImageHeader CheckJpeg(const QByteArray& data) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(data.constData());
    const auto size = static_cast<std::size_t>(data.size());
    const auto damaged = [] { return std::runtime_error("The jpeg image is damaged."); };
    if (!LooksLikeJpeg(data)) throw damaged();
    ImageHeader header;
    std::size_t at = 2;
    while (at + 4 <= size && bytes[at] == 0xFF) {
        const std::uint8_t marker = bytes[at + 1];
        const std::size_t length = std::size_t{bytes[at + 2]} << 8 | bytes[at + 3];
        if (length < 2 || at + 2 + length > size) throw damaged();
        const bool frame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame && length >= 7) {
            header.height = bytes[at + 5] << 8 | bytes[at + 6];
            header.width = bytes[at + 7] << 8 | bytes[at + 8];
        }
        if (marker == 0xDA) {
            if (header.width == 0 || header.height == 0 || !data.endsWith("\xFF\xD9"))
                throw damaged();
            if (header.width > kMaxImageSide || header.height > kMaxImageSide)
                throw std::runtime_error("The jpeg image is too large.");
            return header;
        }
        at += 2 + length;
    }
    throw damaged();
}
