#include <gtest/gtest.h>

#include "EmbeddedData.h"
#include "PageLayout.h"

namespace {

TEST(PageLayout, embeddedPage_givesThreeBlocksInARow) {
    const auto page = EmbeddedData(QStringLiteral("RUZUVO"));
    ASSERT_TRUE(page);
    const PageLayout layout = ReadPageLayout(QString::fromUtf8(*page));
    EXPECT_EQ(layout.Background, QColor(0x50, 0x50, 0x50));
    ASSERT_EQ(layout.Blocks.size(), 3u);
    EXPECT_EQ(layout.Blocks[0].Rect, QRect(8, 4, 160, 21));
    EXPECT_EQ(layout.Blocks[1].Rect, QRect(166, 0, 180, 25));
    EXPECT_EQ(layout.Blocks[2].Rect, QRect(352, 4, 160, 21));
    EXPECT_TRUE(layout.Blocks[0].Centred);
    EXPECT_FALSE(layout.Blocks[1].Centred);
    EXPECT_TRUE(layout.Blocks[0].Html.contains(QStringLiteral("target=\"_blank\"")));
    EXPECT_TRUE(layout.Style.contains(QStringLiteral("#ff9900")));
}

TEST(PageLayout, missingPlacement_comesFromTheDivRule_andOddPagesDoNotBreakIt) {
    struct Case {
        const char* html;
        std::size_t blocks;
        QRect first;
    };
    const Case cases[] = {
        {"<style>div { left: 166px; top: 0px; width: 180px; height: 25px; }</style>"
         "<div style=\"left: 8px\">a</div>",
         1, QRect(8, 0, 180, 25)},
        {"<div>plain</div><DIV STYLE=\"TOP: 3PX; WIDTH: 10px\">b</DIV>", 2, QRect(0, 0, 0, 0)},
        {"<div style=\"left: x; top: -4px; width: 1e9px\">c</div>", 1, QRect(0, -4, 0, 0)},
        {"<div style=\"left: 1px\">never closed", 0, QRect()},
        {"", 0, QRect()},
    };
    for (const Case& c : cases) {
        const PageLayout layout = ReadPageLayout(QString::fromUtf8(c.html));
        ASSERT_EQ(layout.Blocks.size(), c.blocks) << c.html;
        if (c.blocks > 0) {
            EXPECT_EQ(layout.Blocks[0].Rect, c.first) << c.html;
        }
        EXPECT_FALSE(layout.Background.isValid());
    }
}

}  // namespace
