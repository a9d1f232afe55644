#include <gtest/gtest.h>

#include <stdexcept>

#include "EmbeddedData.h"
#include "ImageDecode.h"
#include "ResourceImage.h"

namespace {

QImage filled(int width, int height, QRgb color) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

ResourceImage loaded(const char* name) {
    ResourceImage image;
    image.LoadFromResource(name);
    return image;
}

// TESTBLEND is one row: (255,255,255 a128) (0,0,0 a128) (10,20,30 a0) (200,100,50 a255)
// (40,80,120 a1) (90,60,30 a254).
TEST(ResourceImageDraw, alphaPixels_blendWithIntegerRule) {
    struct Case {
        int x;
        QRgb destination;
        QRgb expected;
    };
    const Case cases[] = {
        {0, qRgb(0, 0, 0), qRgb(128, 128, 128)},
        {1, qRgb(255, 255, 255), qRgb(127, 127, 127)},
        {2, qRgb(1, 2, 3), qRgb(1, 2, 3)},
        {3, qRgb(9, 9, 9), qRgb(200, 100, 50)},
        {4, qRgb(200, 200, 200), qRgb(199, 199, 199)},
        {5, qRgb(200, 200, 200), qRgb(91, 61, 31)},
    };
    const ResourceImage image = loaded("TESTBLEND");
    ASSERT_TRUE(image.HasAlpha());
    for (const Case& c : cases) {
        QImage target = filled(6, 1, c.destination);
        image.Draw(target, 0, 0);
        EXPECT_EQ(target.pixel(c.x, 0), c.expected | 0xFF000000u) << "pixel " << c.x;
    }
}

TEST(ResourceImageDraw, barCapOverRow_changesOnlyPixelsWithAlpha) {
    const ResourceImage row = loaded("GOTH");
    const ResourceImage cap = loaded("GGOODL");
    const DecodedImage capPixels = DecodePng(EmbeddedData("GGOODL").value());
    QImage before = filled(369, 54, qRgb(240, 240, 240));
    row.Draw(before, 0, 0);
    QImage after = before.copy();
    cap.Draw(after, 159, 22);
    int changed = 0;
    for (int y = 0; y < 54; ++y) {
        for (int x = 0; x < 369; ++x) {
            const bool inCap = x >= 159 && x < 169 && y >= 22 && y < 44;
            const int a = inCap ? capPixels.alpha[(y - 22) * 10 + (x - 159)] : 0;
            if (a == 0) {
                EXPECT_EQ(after.pixel(x, y), before.pixel(x, y)) << x << "," << y;
            } else if (a == 255) {
                EXPECT_EQ(after.pixel(x, y), cap.ColorSurface().pixel(x - 159, y - 22));
            }
            changed += after.pixel(x, y) != before.pixel(x, y);
        }
    }
    EXPECT_GT(changed, 150);
}

TEST(ResourceImageDraw, opaqueImage_isExactCopyAndLeavesTheRest) {
    const ResourceImage row = loaded("GDRV");
    QImage target = filled(400, 70, qRgb(1, 2, 3));
    row.Draw(target, 20, 9);
    for (int y = 0; y < 70; ++y) {
        for (int x = 0; x < 400; ++x) {
            const QPoint source(x - 20, y - 9);
            const QRgb expected = row.ColorSurface().rect().contains(source)
                                      ? row.ColorSurface().pixel(source)
                                      : qRgb(1, 2, 3);
            ASSERT_EQ(target.pixel(x, y), expected) << x << "," << y;
        }
    }
}

TEST(ResourceImageDraw, positionsAcrossTargetEdges_drawOnlyTheOverlap) {
    const ResourceImage images[] = {loaded("GNET"), loaded("GHUHOR")};
    const QPoint offsets[] = {{-5, -3}, {-368, 0}, {15, 15}, {-369, 0}, {20, 20}, {-1000, 5000}};
    for (const ResourceImage& image : images) {
        for (const QPoint at : offsets) {
            QImage target = filled(20, 20, qRgb(7, 7, 7));
            image.Draw(target, at.x(), at.y());
            for (int y = 0; y < 20; ++y) {
                for (int x = 0; x < 20; ++x) {
                    const QPoint source = QPoint(x, y) - at;
                    const bool covered = image.ColorSurface().rect().contains(source);
                    if (!covered) {
                        ASSERT_EQ(target.pixel(x, y), qRgb(7, 7, 7)) << at.x() << "," << at.y();
                    } else if (!image.HasAlpha()) {
                        ASSERT_EQ(target.pixel(x, y), image.ColorSurface().pixel(source));
                    }
                }
            }
        }
    }
}

TEST(ResourceImageDraw, otherTargetFormat_getsTheSamePixels) {
    const ResourceImage cap = loaded("GGOODL");
    QImage direct = filled(30, 30, qRgb(50, 60, 70));
    QImage packed = direct.convertToFormat(QImage::Format_RGB888);
    cap.Draw(direct, 3, 4);
    cap.Draw(packed, 3, 4);
    EXPECT_EQ(packed.format(), QImage::Format_RGB888);
    EXPECT_EQ(packed.convertToFormat(QImage::Format_RGB32), direct);
}

TEST(ResourceImageDraw, emptyImage_drawsNothing) {
    const ResourceImage empty;
    QImage target = filled(4, 4, qRgb(1, 1, 1));
    empty.Draw(target, 0, 0);
    EXPECT_EQ(target, filled(4, 4, qRgb(1, 1, 1)));
    EXPECT_EQ(empty.Width(), 0);
    EXPECT_FALSE(empty.HasAlpha());
}

TEST(ResourceImageLoad, missingName_throwsFixedMessageAndKeepsImage) {
    ResourceImage image = loaded("GGOODL");
    try {
        image.LoadFromResource("NOSUCHIMAGE");
        FAIL() << "no exception";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "The png image could not be loaded from the resource ID.");
    }
    EXPECT_EQ(image.Width(), 10);
    EXPECT_TRUE(image.HasAlpha());
}

TEST(ResourceImageLoad, itemThatIsNoImage_throwsAndKeepsImage) {
    ResourceImage image = loaded("GOTH");
    EXPECT_THROW(image.LoadFromResource("RUZUVO"), std::runtime_error);
    EXPECT_THROW(image.LoadFromResource("IDT1"), std::runtime_error);
    EXPECT_EQ(image.Width(), 369);
}

// Loading on demand reports at once what loading reports, and keeps the previous image too.
TEST(ResourceImageLoad, onDemand_failsWhereLoadFails) {
    ResourceImage image = loaded("GGOODL");
    try {
        image.LoadFromResourceOnDemand("NOSUCHIMAGE");
        FAIL() << "no exception";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "The png image could not be loaded from the resource ID.");
    }
    EXPECT_THROW(image.LoadFromResourceOnDemand("RUZUVO"), std::runtime_error);
    EXPECT_THROW(image.LoadFromResourceOnDemand("IDT1"), std::runtime_error);
    EXPECT_EQ(image.Width(), 10);
    EXPECT_EQ(image.ColorSurface().size(), QSize(10, 22));
}

TEST(ResourceImageLoad, reload_replacesSizeAndAlpha) {
    ResourceImage image = loaded("DANCE3");
    image.LoadFromResource("ABOUT");
    EXPECT_EQ(image.Width(), 512);
    EXPECT_FALSE(image.HasAlpha());
}

}  // namespace
