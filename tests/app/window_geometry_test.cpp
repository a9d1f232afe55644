#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "WindowGeometry.h"

namespace {

TEST(SnapToWorkAreaTest, edgesWithinDistance_snapAndOthersStay) {
    const QRect area(0, 0, 1024, 740);
    const struct {
        QPoint from;
        QPoint to;
    } cases[] = {
        {{300, 200}, {300, 200}},  // far from every edge
        {{15, 200}, {0, 200}},     // left edge at the limit
        {{16, 200}, {16, 200}},    // just beyond it
        {{-10, -15}, {0, 0}},      // partly outside
        {{623, 200}, {623, 200}},  // right edge 16 away
        {{624, 200}, {639, 200}},  // right edge 15 away: right side onto the edge
        {{650, 200}, {639, 200}},  // hanging over the right edge
        {{300, 526}, {300, 530}},  // bottom edge 4 away
        {{300, 560}, {300, 560}},  // 30 beyond the bottom: too far to snap
    };
    for (const auto& c : cases)
        EXPECT_EQ(SnapToWorkArea(QRect(c.from, QSize(385, 210)), area, 15), c.to) << c.from.x();
}

TEST(SnapToWorkAreaTest, offsetWorkArea_usesItsOwnEdges) {
    const QRect area(1024, 30, 800, 570);
    EXPECT_EQ(SnapToWorkArea(QRect(1030, 40, 385, 210), area, 15), QPoint(1024, 30));
    EXPECT_EQ(SnapToWorkArea(QRect(1430, 385, 385, 210), area, 15), QPoint(1439, 390));
}

TEST(WheelLineIncrementTest, visibleHeight_givesTenthOfNineTenths) {
    EXPECT_EQ(WheelLineIncrement(162), 14);
    EXPECT_EQ(WheelLineIncrement(108), 9);
    EXPECT_EQ(WheelLineIncrement(10), 0);
}

}  // namespace

// What the window ends up with: Qt asks for the rounded device height with size steps of the
// rounded ratio from a base of minus one rounded pixel, the window manager rounds down to a
// step, and Qt reads the granted height back rounded to pixels.
int GrantedHeight(int asked, double ratio) {
    const int step = std::max(static_cast<int>(std::lround(ratio)), 1);
    const int base = -step;
    const int device = static_cast<int>(std::lround(asked * ratio));
    const int granted = base + (device - base) / step * step;
    return static_cast<int>(std::lround(granted / ratio));
}

TEST(ClientHeightShowingTest, grantedHeight_holdsTheWholeListAtCommonRatios) {
    for (const double ratio : {1.0, 1.25, 1.5, 1.75, 2.0, 2.5, 3.0}) {
        for (int rows = 2; rows <= 28; ++rows) {
            const int list = rows * 54;
            const int granted = GrantedHeight(ClientHeightShowing(list, ratio), ratio);
            EXPECT_GE(granted, list) << ratio << " " << rows;
            EXPECT_LE(granted, list + 1) << ratio << " " << rows;
        }
    }
    EXPECT_EQ(ClientHeightShowing(270, 1.0), 270);
    EXPECT_EQ(ClientHeightShowing(270, 2.0), 270);
}
