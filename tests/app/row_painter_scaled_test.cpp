#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "Fonts.h"
#include "QtAppEnvironment.h"
#include "RowPainter.h"

namespace {

class ScaledRowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        SetUpFonts();
        LoadListImages(images);
        LoadListImages2x(images2x);
    }

    static RowContent Content() {
        RowContent content;
        content.RowText = "C:";
        content.Label = "SYSTEM";
        content.BracketText = "[NTFS - Local drive]";
        content.TotalText = "250,059.35 Go";
        content.FreeText = "158,512.02 Go";
        content.UsedText = "91,547.33 Go";
        content.PercentText = "36.6 %";
        content.BarLength = 74;
        return content;
    }

    static QImage Paint(qreal ratio) {
        QImage row = NewRowImage(ratio);
        PaintRow(row, images, images2x, RowKind::Drive, false, Qt::white, Content(), ListFont());
        return row;
    }

    static inline ListImageTable images;
    static inline ListImageTable images2x;
};

// Sums of squared grey steps between horizontal neighbours over the figures column, split
// into steps inside a pair of device columns (2k, 2k + 1) and steps between pairs. A step
// blurred over two pixels carries half the energy of a crisp one, and a 1x row doubled
// pixel for pixel has no steps inside a pair at all.
struct Steps {
    double inside = 0;
    double between = 0;
};

Steps StepsOf(const QImage& image, QRect logical, int scale) {
    Steps steps;
    const QRect area(logical.topLeft() * scale, logical.size() * scale);
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x < area.right(); ++x) {
            const double d = qGray(image.pixel(x + 1, y)) - qGray(image.pixel(x, y));
            (x % 2 == 0 ? steps.inside : steps.between) += d * d;
        }
    return steps;
}

const QRect kFigures(22, 3, 133, 48);

TEST_F(ScaledRowTest, images2x_areTwiceTheSizeOfTheirOneXImages) {
    for (std::size_t i = 0; i < images.size(); ++i) {
        ASSERT_TRUE(images2x[i]) << ListImageNames[i];
        EXPECT_EQ(images2x[i]->Width(), 2 * images[i]->Width()) << ListImageNames[i];
        EXPECT_EQ(images2x[i]->Height(), 2 * images[i]->Height()) << ListImageNames[i];
        EXPECT_EQ(images2x[i]->HasAlpha(), images[i]->HasAlpha()) << ListImageNames[i];
    }
}

TEST_F(ScaledRowTest, ratioOne_paintsExactlyTheOneXRow) {
    QImage plain = NewRowImage();
    PaintRow(plain, images, RowKind::Drive, false, Qt::white, Content(), ListFont());
    EXPECT_EQ(Paint(1), plain);
}

TEST_F(ScaledRowTest, ratioTwo_isSharperThanAStretchedOneXRow) {
    const QImage one = Paint(1);
    const QImage two = Paint(2);
    ASSERT_EQ(two.size(), QSize(2 * kRowWidth, 2 * kRowHeight));
    const Steps sharp = StepsOf(two, kFigures, 2);
    const Steps reference = StepsOf(one, kFigures, 1);
    const double oneX = reference.inside + reference.between;

    EXPECT_GT(sharp.inside, 0.25 * sharp.between);
    EXPECT_GT(sharp.inside + sharp.between, 1.4 * oneX);

    // The same measures reject the two ways of stretching the 1x row.
    for (const auto mode : {Qt::FastTransformation, Qt::SmoothTransformation}) {
        const Steps stretched =
            StepsOf(one.scaled(two.size(), Qt::IgnoreAspectRatio, mode), kFigures, 2);
        EXPECT_FALSE(stretched.inside > 0.25 * stretched.between &&
                     stretched.inside + stretched.between > 1.4 * oneX)
            << mode;
    }
}

TEST_F(ScaledRowTest, fractionalRatios_fillTheWholeRowAtThatRatio) {
    for (const qreal ratio : {1.25, 1.5}) {
        QImage row = NewRowImage(ratio);
        row.fill(Qt::magenta);
        const QSize size = row.size();
        PaintRow(row, images, images2x, RowKind::LocalSummary, true, Qt::white, Content(),
                 ListFont());
        EXPECT_EQ(row.size(), size) << ratio;
        EXPECT_EQ(row.devicePixelRatio(), ratio);
        EXPECT_GE(row.width(), kRowWidth * ratio);
        EXPECT_GE(row.height(), kRowHeight * ratio);
        int magenta = 0;
        for (int y = 0; y < row.height(); ++y)
            for (int x = 0; x < row.width(); ++x) magenta += row.pixel(x, y) == qRgb(255, 0, 255);
        EXPECT_EQ(magenta, 0) << ratio;
    }
}

// The bar is assembled at 2x exactly like the 1x bar, so its end moves with the length.
TEST_F(ScaledRowTest, ratioTwo_barEndsWhereTheOneXBarEnds) {
    for (const int length : {20, 120, 176}) {
        QImage one = NewRowImage();
        DrawRowBackground(one, images, RowKind::Drive, false, Qt::white);
        QImage bare = one;
        DrawUsageBar(one, images, length);
        RowContent content;
        content.BarLength = length;
        QImage two = NewRowImage(2);
        PaintRow(two, images, images2x, RowKind::Drive, false, Qt::white, content, ListFont());
        QImage twoBare = NewRowImage(2);
        content.BarLength = 0;
        PaintRow(twoBare, images, images2x, RowKind::Drive, false, Qt::white, content, ListFont());
        const int y = 33;
        const int end = 159 + length;
        EXPECT_NE(one.pixel(end - 2, y), bare.pixel(end - 2, y)) << length;
        EXPECT_EQ(one.pixel(end + 1, y), bare.pixel(end + 1, y)) << length;
        EXPECT_NE(two.pixel(2 * end - 3, 2 * y), twoBare.pixel(2 * end - 3, 2 * y)) << length;
        EXPECT_EQ(two.pixel(2 * end + 2, 2 * y), twoBare.pixel(2 * end + 2, 2 * y)) << length;
    }
}

}  // namespace
