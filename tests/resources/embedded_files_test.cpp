#include <gtest/gtest.h>

#include <QImage>
#include <QImageReader>
#include <QtEndian>

#include "EmbeddedData.h"
#include "PngChunks.h"
#include "ResourceImage.h"

namespace {

struct PngCase {
    const char* name;
    int width;
    int height;
    bool alpha;
};

const PngCase kPngs[] = {
    {"GGOODL", 10, 22, true},   {"GGOODM", 1, 22, false},   {"GHUHOM", 1, 22, false},
    {"GHUHOR", 10, 22, true},   {"GDRV", 369, 54, false},   {"GDRVSL", 369, 54, false},
    {"GNET", 369, 54, false},   {"GNETSL", 369, 54, false}, {"GOTH", 369, 54, false},
    {"GOTHSL", 369, 54, false}, {"ABOUT", 512, 384, false}, {"DANCE0", 110, 205, true},
    {"DANCE1", 110, 205, true}, {"DANCE2", 110, 205, true}, {"DANCE3", 110, 205, true},
    {"DANCE4", 110, 205, true}, {"DANCE5", 110, 205, true}, {"DANCE6", 110, 205, true},
    {"DANCE7", 110, 205, true},
};

class EmbeddedPng : public ::testing::TestWithParam<PngCase> {};

TEST_P(EmbeddedPng, fileLayout_matchesImageTable) {
    const PngCase& c = GetParam();
    const std::optional<QByteArray> bytes = EmbeddedData(c.name);
    ASSERT_TRUE(bytes);
    const std::optional<PngLayout> layout = ReadPngLayout(*bytes);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->header.width, quint32(c.width));
    EXPECT_EQ(layout->header.height, quint32(c.height));
    EXPECT_EQ(layout->header.bitDepth, 8);
    EXPECT_EQ(layout->header.colorType, c.alpha ? 6 : 2);
    EXPECT_EQ(layout->header.interlace, 0);
    // Any of these would make a viewer correct the colours or turn RGB into RGBA.
    for (const char* chunk : {"PLTE", "tRNS", "gAMA", "sRGB", "iCCP", "cHRM"})
        EXPECT_FALSE(layout->chunks.contains(chunk)) << chunk;
}

TEST_P(EmbeddedPng, load_givesTableSizeAndAlpha) {
    const PngCase& c = GetParam();
    ResourceImage image;
    image.LoadFromResource(c.name);
    EXPECT_EQ(image.Width(), c.width);
    EXPECT_EQ(image.Height(), c.height);
    EXPECT_EQ(image.HasAlpha(), c.alpha);
    EXPECT_EQ(image.ColorSurface().format(), QImage::Format_RGB32);
}

TEST_P(EmbeddedPng, loadOnDemand_givesTheSameImage) {
    ResourceImage now;
    now.LoadFromResource(GetParam().name);
    ResourceImage later;
    later.LoadFromResourceOnDemand(GetParam().name);
    EXPECT_EQ(later.Width(), now.Width());
    EXPECT_EQ(later.HasAlpha(), now.HasAlpha());
    QImage drawnNow(now.Width() + 4, now.Height() + 4, QImage::Format_RGB32);
    drawnNow.fill(Qt::darkCyan);
    QImage drawnLater = drawnNow.copy();
    now.Draw(drawnNow, 2, 2);
    later.Draw(drawnLater, 2, 2);
    EXPECT_EQ(drawnLater, drawnNow);
    EXPECT_EQ(later.ColorSurface(), now.ColorSurface());
}

INSTANTIATE_TEST_SUITE_P(AllImages, EmbeddedPng, ::testing::ValuesIn(kPngs),
                         [](const auto& info) { return std::string(info.param.name); });

quint32 le32(const QByteArray& bytes, int at) {
    return qFromLittleEndian<quint32>(reinterpret_cast<const uchar*>(bytes.constData()) + at);
}

quint16 le16(const QByteArray& bytes, int at) {
    return qFromLittleEndian<quint16>(reinterpret_cast<const uchar*>(bytes.constData()) + at);
}

class EmbeddedIcon : public ::testing::TestWithParam<int> {
protected:
    QByteArray bytes() const { return EmbeddedData(QString("IDT%1").arg(GetParam())).value(); }
};

TEST_P(EmbeddedIcon, headers_describeOne32BitImageWithMask) {
    const QByteArray ico = bytes();
    ASSERT_EQ(ico.size(), 4286);
    EXPECT_EQ(le16(ico, 0), 0);
    EXPECT_EQ(le16(ico, 2), 1);
    EXPECT_EQ(le16(ico, 4), 1);
    EXPECT_EQ(uchar(ico[6]), 32);
    EXPECT_EQ(uchar(ico[7]), 32);
    EXPECT_EQ(le16(ico, 12), 32);
    EXPECT_EQ(le32(ico, 14), 4264u);
    EXPECT_EQ(le32(ico, 18), 22u);
    EXPECT_EQ(le32(ico, 22), 40u);
    EXPECT_EQ(le32(ico, 26), 32u);
    EXPECT_EQ(le32(ico, 30), 64u);
    EXPECT_EQ(le16(ico, 36), 32);
    EXPECT_EQ(le32(ico, 38), 0u);
}

TEST_P(EmbeddedIcon, maskBits_markExactlyTheTransparentPixels) {
    const QByteArray ico = bytes();
    ASSERT_EQ(ico.size(), 4286);
    constexpr int kColor = 62, kMask = kColor + 4096;
    for (int row = 0; row < 32; ++row) {
        for (int x = 0; x < 32; ++x) {
            const bool transparent = uchar(ico[kColor + (row * 32 + x) * 4 + 3]) == 0;
            const bool masked = (uchar(ico[kMask + row * 4 + x / 8]) >> (7 - x % 8)) & 1;
            EXPECT_EQ(masked, transparent) << "row " << row << " x " << x;
        }
    }
}

TEST_P(EmbeddedIcon, qtReader_givesA32PixelPictureWithAlpha) {
    const QImage icon = QImage::fromData(bytes(), "ICO");
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.size(), QSize(32, 32));
    EXPECT_TRUE(icon.hasAlphaChannel());
    int opaque = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) opaque += qAlpha(icon.pixel(x, y)) == 255;
    EXPECT_GT(opaque, 150);
    EXPECT_LT(opaque, 32 * 32);
}

// Windows and icons open the items by name, without an extension to pick the format from.
TEST_P(EmbeddedIcon, readerOnResourcePath_detectsIcoFormat) {
    QImageReader reader(QString(":/resources/IDT%1").arg(GetParam()));
    EXPECT_EQ(reader.format(), "ico");
    EXPECT_EQ(reader.read().size(), QSize(32, 32));
}

INSTANTIATE_TEST_SUITE_P(AllIcons, EmbeddedIcon, ::testing::Range(1, 7));

const JpegSegment* findSegment(const std::vector<JpegSegment>& segments, int marker) {
    for (const JpegSegment& s : segments)
        if (s.marker == marker) return &s;
    return nullptr;
}

TEST(EmbeddedJpeg, markers_describeBaselineJfifWithExif) {
    const QByteArray jpeg = EmbeddedData("ABOUTBOX").value();
    EXPECT_EQ(jpeg.size(), 24894);
    EXPECT_TRUE(jpeg.endsWith("\xFF\xD9"));
    const auto segments = ReadJpegSegments(jpeg);
    ASSERT_TRUE(segments);
    ASSERT_GE(segments->size(), 3u);
    const JpegSegment& app0 = (*segments)[1];
    ASSERT_EQ(app0.marker, 0xE0);
    ASSERT_GE(app0.payload.size(), 12);
    EXPECT_EQ(app0.payload.left(5), QByteArray("JFIF\0", 5));
    EXPECT_EQ(app0.payload.mid(5, 3), QByteArray("\x01\x01\x01", 3));  // 1.01, dots per inch
    EXPECT_EQ(app0.payload.mid(8, 4), QByteArray("\0\x48\0\x48", 4));  // 72 x 72
    const JpegSegment* exif = findSegment(*segments, 0xE1);
    ASSERT_TRUE(exif);
    EXPECT_EQ(exif->payload.left(6), QByteArray("Exif\0\0", 6));
    EXPECT_EQ(exif->payload.mid(6, 4), QByteArray("II*\0", 4));
    EXPECT_TRUE(exif->payload.contains(QByteArray("Vollmark\0", 9)));
    for (int progressiveOrOther : {0xC1, 0xC2, 0xC3, 0xC9, 0xCA})
        EXPECT_FALSE(findSegment(*segments, progressiveOrOther)) << progressiveOrOther;
    const JpegSegment* frame = findSegment(*segments, 0xC0);
    ASSERT_TRUE(frame);
    ASSERT_EQ(frame->payload.size(), 6 + 3 * 3);
    EXPECT_EQ(frame->payload.left(6),
              QByteArray("\x08\x01\x80\x02\x00\x03", 6));  // 8 bit, 384, 512
    EXPECT_EQ(uchar(frame->payload[7]), 0x22);
    EXPECT_EQ(uchar(frame->payload[10]), 0x11);
    EXPECT_EQ(uchar(frame->payload[13]), 0x11);
}

TEST(EmbeddedJpeg, load_givesFullSizeOpaquePicture) {
    ResourceImage image;
    image.LoadFromResource("ABOUTBOX");
    EXPECT_EQ(image.Width(), 512);
    EXPECT_EQ(image.Height(), 384);
    EXPECT_FALSE(image.HasAlpha());
}

TEST(EmbeddedPage, bytes_areFixedSizeHtmlWithCrlfLines) {
    const QByteArray page = EmbeddedData("RUZUVO").value();
    EXPECT_EQ(page.size(), 1503);
    EXPECT_EQ(page.count('\n'), page.count("\r\n"));
    EXPECT_EQ(page.count('\r'), page.count("\r\n"));
    EXPECT_TRUE(page.endsWith("</html>\r\n"));
    EXPECT_TRUE(page.contains("application/x-shockwave-flash"));
    EXPECT_TRUE(page.contains("<param name=\"movie\""));
    EXPECT_EQ(page.count("<a "), 4);
    EXPECT_EQ(page.count("target=\"_blank\""), 4);
}

// Nothing in this test program calls Q_INIT_RESOURCE: the items must arrive with the library.
TEST(EmbeddedData, lookup_findsLinkedItemsByBareNameOnly) {
    EXPECT_TRUE(EmbeddedData("GGOODL"));
    EXPECT_TRUE(EmbeddedData("ABOUTBOX"));
    EXPECT_FALSE(EmbeddedData("GGOODL.png"));
    EXPECT_FALSE(EmbeddedData("NOSUCHITEM"));
    EXPECT_FALSE(EmbeddedData(""));
}

}  // namespace
