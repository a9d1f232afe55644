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

// Returns nullptr on success, otherwise the decoder's message (stored in error). With
// `headerOnly` it reads the markers up to the first scan and no pixel.
const char* decodeRaw(const QByteArray& data, RawJpeg& out, JpegError& error, bool headerOnly) {
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
    if (headerOnly) {
        out.width = static_cast<int>(info.image_width);
        out.height = static_cast<int>(info.image_height);
        out.damaged = error.manager.num_warnings > 0;
        jpeg_destroy_decompress(&info);
        return nullptr;
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
    if (const char* message = decodeRaw(data, raw, error, false))
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

ImageHeader CheckJpeg(const QByteArray& data) {
    RawJpeg header;
    JpegError error{};
    if (const char* message = decodeRaw(data, header, error, true))
        throw std::runtime_error(std::string("The jpeg image could not be decoded: ") + message);
    if (header.damaged || !data.endsWith("\xFF\xD9"))
        throw std::runtime_error("The jpeg image is damaged.");
    return {header.width, header.height, false};
}
