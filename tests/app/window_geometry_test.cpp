#include <gtest/gtest.h>

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
