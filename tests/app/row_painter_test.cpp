#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>

#include "EmbeddedData.h"
#include "Fonts.h"
#include "QtAppEnvironment.h"
#include "RowPainter.h"

namespace {

constexpr int kBarMidRow = 22 + 11;

class RowPainterTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        SetUpFonts();
        LoadListImages(images);
    }

    // The plain drive-row background with a bar of `length` drawn over it.
    static QImage BarRow(int length) {
        QImage row = NewRowImage();
        DrawRowBackground(row, images, RowKind::Drive, false, Qt::white);
        DrawUsageBar(row, images, length);
        return row;
    }

    static QRgb Colour(int image, int x, int y) {
        return images[image]->ColorSurface().pixel(x, y) | 0xff000000u;
    }

    static inline ListImageTable images;
};

TEST_F(RowPainterTest, backgrounds_followKindAndSelection) {
    const struct {
        RowKind kind;
        bool selected;
        int image;
    } cases[] = {
        {RowKind::LocalSummary, false, 4},   {RowKind::LocalSummary, true, 5},
        {RowKind::NetworkSummary, false, 6}, {RowKind::NetworkSummary, true, 7},
        {RowKind::Drive, false, 8},          {RowKind::Drive, true, 9},
    };
    for (const auto& c : cases) {
        QImage row = NewRowImage();
        DrawRowBackground(row, images, c.kind, c.selected, Qt::magenta);
        EXPECT_EQ(row, images[c.image]->ColorSurface().convertToFormat(QImage::Format_RGB32))
            << c.image;
    }
}

TEST_F(RowPainterTest, zeroLength_drawsNoBar) {
    QImage background = NewRowImage();
    DrawRowBackground(background, images, RowKind::Drive, false, Qt::white);
    EXPECT_EQ(BarRow(0), background);
}

// From L = 10 to 190 the bar ends at 159 + L: green up to 318, red from 319.
TEST_F(RowPainterTest, barOfLength_endsAt159PlusLength) {
    const QImage background = BarRow(0);
    for (const int length : {10, 20, 152, 158, 160, 162, 180, 190}) {
        const QImage row = BarRow(length);
        for (int x = 169; x < 159 + length; ++x) {
            const QRgb expected = x < 319 ? Colour(1, 0, 11) : Colour(2, 0, 11);
            ASSERT_EQ(row.pixel(x, kBarMidRow), expected) << "L " << length << " x " << x;
        }
        for (int x = std::max(159 + length, 169); x < 369; ++x)
            ASSERT_EQ(row.pixel(x, kBarMidRow), background.pixel(x, kBarMidRow))
                << "L " << length << " x " << x;
    }
}

TEST_F(RowPainterTest, shortBar_isTheLeftCapAlone) {
    const QImage background = BarRow(0);
    for (const int length : {2, 4, 8}) {
        const QImage row = BarRow(length);
        EXPECT_EQ(row.copy(169, 0, 200, 54), background.copy(169, 0, 200, 54)) << length;
        EXPECT_NE(row.copy(159, 22, 10, 22), background.copy(159, 22, 10, 22)) << length;
    }
}

TEST_F(RowPainterTest, fullBar_endsWithRightCapAt361) {
    const QImage background = BarRow(0);
    for (const int length : {192, 200}) {
        const QImage row = BarRow(length);
        for (int x = 319; x < 351; ++x) ASSERT_EQ(row.pixel(x, kBarMidRow), Colour(2, 0, 11));
        EXPECT_NE(row.copy(351, 22, 10, 22), background.copy(351, 22, 10, 22));
        EXPECT_EQ(row.copy(361, 0, 8, 54), background.copy(361, 0, 8, 54));
    }
}

// Decoded independently of the program's decoder: every half-transparent pixel of the left
// cap must come out as the integer blend over the background.
TEST_F(RowPainterTest, leftCap_blendsHalfTransparentPixelsOverBackground) {
    const auto data = EmbeddedData(QStringLiteral("GGOODL"));
    ASSERT_TRUE(data);
    const QImage cap = QImage::fromData(*data).convertToFormat(QImage::Format_ARGB32);
    const QImage background = BarRow(0);
    const QImage row = BarRow(2);
    int blended = 0;
    for (int y = 0; y < cap.height(); ++y) {
        for (int x = 0; x < cap.width(); ++x) {
            const QRgb s = cap.pixel(x, y);
            const int a = qAlpha(s);
            if (a == 0 || a == 255) continue;
            const QRgb d = background.pixel(159 + x, 22 + y);
            const auto mix = [a](int src, int dst) {
                return (src * a + dst * (255 - a) + 255) >> 8;
            };
            ASSERT_EQ(
                row.pixel(159 + x, 22 + y),
                qRgb(mix(qRed(s), qRed(d)), mix(qGreen(s), qGreen(d)), mix(qBlue(s), qBlue(d))))
                << x << "," << y;
            ++blended;
        }
    }
    EXPECT_GT(blended, 0);
}

TEST_F(RowPainterTest, missingImages_leaveTheBrushAndDrawNothingElse) {
    const ListImageTable none;
    QImage row = NewRowImage();
    DrawRowBackground(row, none, RowKind::Drive, false, QColor(240, 240, 240));
    DrawUsageBar(row, none, 200);
    QImage plain = NewRowImage();
    plain.fill(QColor(240, 240, 240));
    EXPECT_EQ(row, plain);
}

// Where the text's ink lies within a band of the row, by a colour test.
QRect InkBounds(const QImage& before, const QImage& after, QRect band,
                bool (*ink)(QRgb) = nullptr) {
    QRect bounds;
    for (int y = band.top(); y <= band.bottom(); ++y)
        for (int x = band.left(); x <= band.right(); ++x) {
            const QRgb p = after.pixel(x, y);
            if (p != before.pixel(x, y) && (!ink || ink(p))) bounds |= QRect(x, y, 1, 1);
        }
    return bounds;
}

bool Reddish(QRgb p) {
    return qRed(p) > qGreen(p) + 40 && qRed(p) > qBlue(p) + 40;
}
bool Dark(QRgb p) {
    return qGray(p) < 110;
}

TEST_F(RowPainterTest, texts_sitAtTheirAnchorsInTheirColours) {
    RowContent content;
    content.RowText = "C:";
    content.Label = "SYSTEM";
    content.BracketText = "[NTFS - Local drive]";
    content.TotalText = "250,059.35 Mo";
    content.PercentText = "36.6 %";
    for (const bool selected : {false, true}) {
        QImage before = NewRowImage();
        DrawRowBackground(before, images, RowKind::Drive, selected, Qt::white);
        QImage row = before;
        DrawRowTexts(row, content, ListFont());
        const QRect percent = InkBounds(before, row, QRect(165, 26, 190, 16), Reddish);
        ASSERT_TRUE(percent.isValid());
        EXPECT_NEAR(percent.center().x(), 260, 2);
        const QRect label = InkBounds(before, row, QRect(155, 3, 90, 16), Dark);
        ASSERT_TRUE(label.isValid()) << selected;
        EXPECT_NEAR(label.left(), 161, 2);
        const QRect total = InkBounds(before, row, QRect(60, 3, 99, 15), Dark);
        EXPECT_NEAR(total.right(), 153, 2);
        const QRect bracket = InkBounds(before, row, QRect(250, 3, 119, 16), Dark);
        EXPECT_NEAR(bracket.right(), 359, 2);
        EXPECT_TRUE(InkBounds(before, row, QRect(0, 0, 22, 20), Dark).isValid());
    }
}

TEST_F(RowPainterTest, longLabel_isShortenedClearOfTheBracketText_shortOneIsNot) {
    RowContent content;
    content.BracketText = "[tmpfs - RAM disk]";
    QImage before = NewRowImage();
    DrawRowBackground(before, images, RowKind::Drive, false, Qt::white);
    const QFont plain = ListFont();
    const int bracketLeft = 360 - QFontMetrics(plain).horizontalAdvance("[tmpfs - RAM disk]");

    content.Label = "/mnt/sandboxing/model_tools_env/v1/python/and/further/down";
    QImage row = before;
    DrawRowTexts(row, content, plain);
    const QRect label = InkBounds(before, row, QRect(155, 3, bracketLeft - 156, 16), Dark);
    EXPECT_LT(label.right(), bracketLeft - 2);
    EXPECT_GT(label.right(), bracketLeft - 30);

    content.Label = "DATA";
    QImage shortRow = before;
    DrawRowTexts(shortRow, content, plain);
    content.BracketText.clear();
    QImage alone = before;
    DrawRowTexts(alone, content, plain);
    const QRect band(155, 0, bracketLeft - 160, 20);
    EXPECT_EQ(shortRow.copy(band), alone.copy(band));
}

}  // namespace
