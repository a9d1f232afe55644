#include <cstdio>  // jpeglib.h needs FILE and size_t declared first

#include <jpeglib.h>

#include <QtEndian>
#include <csetjmp>
#include <cstdlib>

#include "Encoders.h"

namespace {

struct JpegError {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

void onFatal(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1);
}

// A little-endian TIFF block with IFD0 holding XResolution, YResolution, ResolutionUnit and
// Software, followed by `padding` zero bytes that no IFD entry points at.
QByteArray exifPayload(int padding) {
    QByteArray tiff("II*\0\x08\0\0\0", 8);
    auto put16 = [&](quint16 v) {
        const quint16 le = qToLittleEndian(v);
        tiff.append(reinterpret_cast<const char*>(&le), 2);
    };
    auto put32 = [&](quint32 v) {
        const quint32 le = qToLittleEndian(v);
        tiff.append(reinterpret_cast<const char*>(&le), 4);
    };
    constexpr quint32 kDataOffset = 8 + 2 + 4 * 12 + 4;
    const QByteArray software("Vollmark", 9);  // with its terminating zero, as TIFF ASCII wants
    put16(4);
    put16(0x011A), put16(5), put32(1), put32(kDataOffset);      // XResolution, RATIONAL
    put16(0x011B), put16(5), put32(1), put32(kDataOffset + 8);  // YResolution, RATIONAL
    put16(0x0128), put16(3), put32(1), put32(2);                // ResolutionUnit = inch
    put16(0x0131), put16(2), put32(quint32(software.size())), put32(kDataOffset + 16);
    put32(0);  // no further IFD
    put32(72), put32(1), put32(72), put32(1);
    tiff.append(software);
    return QByteArray("Exif\0\0", 6) + tiff + QByteArray(padding, '\0');
}

void configure(jpeg_compress_struct& info, int width, int height, int quality) {
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    info.optimize_coding = TRUE;  // still baseline (SOF0), just smaller Huffman tables
    info.write_JFIF_header = TRUE;
    info.JFIF_major_version = 1;
    info.JFIF_minor_version = 1;
    info.density_unit = 1;
    info.X_density = 72;
    info.Y_density = 72;
    info.comp_info[0].h_samp_factor = 2;
    info.comp_info[0].v_samp_factor = 2;
    for (int c = 1; c < 3; ++c) {
        info.comp_info[c].h_samp_factor = 1;
        info.comp_info[c].v_samp_factor = 1;
    }
}

// libjpeg reports errors by longjmp; this frame holds no object with a destructor.
bool compress(const QImage& rgb, int quality, const QByteArray& exif, unsigned char** buffer,
              unsigned long* size) {
    jpeg_compress_struct info{};
    JpegError error{};
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = onFatal;
    if (setjmp(error.jump)) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, buffer, size);
    configure(info, rgb.width(), rgb.height(), quality);
    jpeg_start_compress(&info, TRUE);
    jpeg_write_marker(&info, JPEG_APP0 + 1, reinterpret_cast<const JOCTET*>(exif.constData()),
                      static_cast<unsigned int>(exif.size()));
    while (info.next_scanline < info.image_height) {
        auto row = const_cast<JSAMPROW>(rgb.constScanLine(static_cast<int>(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

std::optional<QByteArray> encode(const QImage& rgb, int quality, const QByteArray& exif) {
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    const bool ok = compress(rgb, quality, exif, &buffer, &size);
    std::optional<QByteArray> out;
    if (ok) out = QByteArray(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size));
    std::free(buffer);
    return out;
}

}  // namespace

std::optional<QByteArray> EncodeJpegOfSize(const QImage& image, int totalSize) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    for (int quality = 98; quality >= 20; --quality) {
        const std::optional<QByteArray> bare = encode(rgb, quality, exifPayload(0));
        if (!bare || bare->size() > totalSize) continue;
        // The entropy-coded data does not depend on the Exif bytes, so padding the segment
        // grows the file by exactly the padding.
        return encode(rgb, quality, exifPayload(static_cast<int>(totalSize - bare->size())));
    }
    return std::nullopt;
}
