#include <gtest/gtest.h>
#include <zlib.h>

#include <QtEndian>
#include <stdexcept>

#include "EmbeddedData.h"
#include "ImageDecode.h"

namespace {

QByteArray pngChunk(const QByteArray& type, const QByteArray& data) {
    QByteArray out(4, '\0');
    qToBigEndian<quint32>(quint32(data.size()), out.data());
    const QByteArray body = type + data;
    QByteArray crc(4, '\0');
    qToBigEndian<quint32>(
        quint32(crc32(0, reinterpret_cast<const Bytef*>(body.constData()), uInt(body.size()))),
        crc.data());
    return out + body + crc;
}

// A header that claims a picture far larger than any the program embeds.
QByteArray hugePngHeader() {
    QByteArray ihdr(13, '\0');
    qToBigEndian<quint32>(200000, ihdr.data());
    qToBigEndian<quint32>(200000, ihdr.data() + 4);
    ihdr[8] = 8;
    ihdr[9] = 2;
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + pngChunk("IHDR", ihdr) + pngChunk("IEND", {});
}

QByteArray jpegWithFrameSize(int width, int height) {
    QByteArray jpeg = EmbeddedData("ABOUTBOX").value();
    const qsizetype sof = jpeg.indexOf("\xFF\xC0");
    qToBigEndian<quint16>(quint16(height), jpeg.data() + sof + 5);
    qToBigEndian<quint16>(quint16(width), jpeg.data() + sof + 7);
    return jpeg;
}

TEST(DecodePng, brokenData_throwsReadableError) {
    const QByteArray good = EmbeddedData("GOTH").value();
    QByteArray flipped = good;
    flipped[good.size() / 2] = char(flipped[good.size() / 2] ^ 0x5A);
    const QByteArray cases[] = {good.left(8), good.left(good.size() / 2), flipped, hugePngHeader(),
                                QByteArray("\x89PNG\r\n\x1a\n", 8) + QByteArray(64, 'x')};
    // The check without decoding must find all that the decoder finds.
    for (const QByteArray& bytes : cases) {
        for (const auto read : {&DecodePng, +[](const QByteArray& b) {
                                    CheckPng(b);
                                    return DecodedImage{};
                                }}) {
            try {
                read(bytes);
                ADD_FAILURE() << "accepted " << bytes.size() << " bytes";
            } catch (const std::runtime_error& e) {
                EXPECT_NE(std::string(e.what()), "") << bytes.size();
            }
        }
    }
}

TEST(DecodeJpeg, brokenData_throwsReadableError) {
    const QByteArray good = EmbeddedData("ABOUTBOX").value();
    const QByteArray cases[] = {good.left(3), good.left(2000), good.left(good.size() / 2),
                                jpegWithFrameSize(60000, 60000), QByteArray("\xFF\xD8\xFF", 3)};
    for (const QByteArray& bytes : cases) {
        EXPECT_THROW(DecodeJpeg(bytes), std::runtime_error) << bytes.size();
        EXPECT_THROW(CheckJpeg(bytes), std::runtime_error) << bytes.size();
    }
}

TEST(ImageCheck, soundData_givesTheDecodedSizeAndAlpha) {
    for (const char* name : {"GGOODL", "GOTH@2x", "ABOUT", "DANCE3", "ABOUTBOX"}) {
        const QByteArray bytes = EmbeddedData(name).value();
        const bool png = LooksLikePng(bytes);
        const ImageHeader header = png ? CheckPng(bytes) : CheckJpeg(bytes);
        const DecodedImage decoded = png ? DecodePng(bytes) : DecodeJpeg(bytes);
        EXPECT_EQ(QSize(header.width, header.height), decoded.color.size()) << name;
        EXPECT_EQ(header.alpha, !decoded.alpha.empty()) << name;
    }
}

TEST(ImageCheck, iconFrame_acceptsTheEmbeddedIconsOnly) {
    const QByteArray icon = EmbeddedData("IDT1").value();
    EXPECT_TRUE(LooksLikeIcon(icon));
    QByteArray farOffset = icon;
    qToLittleEndian<quint32>(5000, farOffset.data() + 6 + 12);
    QByteArray noImages = icon;
    qToLittleEndian<quint16>(0, noImages.data() + 4);
    for (const QByteArray& bytes : {icon.left(21), farOffset, noImages, icon.left(3000),
                                    EmbeddedData("GGOODL").value(), QByteArray()})
        EXPECT_FALSE(LooksLikeIcon(bytes)) << bytes.size();
}

TEST(ImageSignature, sniffing_tellsPngFromJpeg) {
    EXPECT_TRUE(LooksLikePng(EmbeddedData("GGOODL").value()));
    EXPECT_FALSE(LooksLikePng(EmbeddedData("ABOUTBOX").value()));
    EXPECT_TRUE(LooksLikeJpeg(EmbeddedData("ABOUTBOX").value()));
    EXPECT_FALSE(LooksLikeJpeg(EmbeddedData("GGOODL").value()));
    EXPECT_FALSE(LooksLikePng(QByteArray()));
    EXPECT_FALSE(LooksLikeJpeg(QByteArray("\xFF", 1)));
}

}  // namespace
