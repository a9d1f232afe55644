#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleInterface>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSet>
#include <vector>

#include "DiskUtils.h"
#include "GrowthMap.h"
#include "QtAppEnvironment.h"

namespace {

using growthmap::MapEntry;

constexpr std::int64_t kGB = 1'000'000'000;

// Grew by half of what it holds now, shrank to half of what it held: both at full strength.
std::vector<MapEntry> Folders() {
    return {
        {QStringLiteral("Videos"), 40 * kGB, 20 * kGB, 2.5e9},
        {QStringLiteral("Photos"), 30 * kGB, -30 * kGB, std::nullopt},
        {QStringLiteral("Music"), 20 * kGB, 0, std::nullopt},
        {QStringLiteral("Games"), 12 * kGB, 3 * kGB, std::nullopt},
        {QStringLiteral("Mail"), 8 * kGB, -1 * kGB, std::nullopt},
        {QStringLiteral("Notes"), 4 * kGB, std::nullopt, std::nullopt},
        {QStringLiteral("speck"), 1, 1, std::nullopt},
        {QStringLiteral("gone"), 0, -5 * kGB, std::nullopt},
    };
}

class GrowthMapTest : public ::testing::Test {
protected:
    void SetUp() override {
        map.SetEntries(Folders(), true);
        map.resize(400, 300);
        QObject::connect(&map, &TGrowthMap::TileSelected,
                         [this](int index) { selected.push_back(index); });
        QObject::connect(&map, &TGrowthMap::TileActivated,
                         [this](int index) { activated.push_back(index); });
    }

    void Key(int key) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(&map, &event);
    }

    void Mouse(QEvent::Type type, const QPointF& at) {
        QMouseEvent event(type, at, map.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(&map, &event);
    }

    QImage Render(qreal ratio) {
        QImage image((QSizeF(map.size()) * ratio).toSize(), QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        map.render(&image);
        return image;
    }

    TGrowthMap map{nullptr, DiskUtils::DisplayOptions{DiskUtils::suGiga}};
    std::vector<int> selected;
    std::vector<int> activated;
};

TEST_F(GrowthMapTest, clicks_hitTheTileDrawnThere) {
    for (int i = 0; i < 6; ++i) {
        const QRectF tile = map.TileRect(i);
        ASSERT_FALSE(tile.isEmpty()) << i;
        EXPECT_EQ(map.TileAt(tile.center()), i);
        EXPECT_EQ(map.TileAt(tile.topLeft()), i) << "a tile owns its top-left corner";
        Mouse(QEvent::MouseButtonPress, tile.center());
        EXPECT_EQ(map.Current(), i);
    }
    EXPECT_EQ(selected, (std::vector<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_TRUE(map.TileRect(6).isEmpty()) << "a one-byte folder is too small to show";
    EXPECT_TRUE(map.TileRect(7).isEmpty()) << "an emptied folder has no area";

    Mouse(QEvent::MouseButtonDblClick, map.TileRect(3).center());
    EXPECT_EQ(activated, std::vector<int>{3});
    Mouse(QEvent::MouseButtonPress, QPointF(5, map.height() - 3));
    EXPECT_EQ(map.Current(), 5) << "the legend under the tiles selects nothing";
    EXPECT_EQ(selected.size(), 6u);
}

TEST_F(GrowthMapTest, arrowKeys_moveToTheAdjacentTileThatWay) {
    Key(Qt::Key_Right);
    ASSERT_EQ(map.Current(), 0) << "the first arrow picks the largest tile";
    const QRectF videos = map.TileRect(0);
    EXPECT_EQ(videos.left(), 0);
    EXPECT_EQ(videos.top(), 0);

    Key(Qt::Key_Right);
    const int right = map.Current();
    const QRectF next = map.TileRect(right);
    EXPECT_EQ(next.left(), videos.right()) << "the tile just across the edge";
    EXPECT_LE(next.top(), videos.center().y());
    EXPECT_GE(next.bottom(), videos.center().y());

    Key(Qt::Key_Left);
    EXPECT_EQ(map.Current(), 0);
    Key(Qt::Key_Left);
    EXPECT_EQ(map.Current(), 0) << "no tile lies left of the leftmost";

    // Down from the top of the right part steps through tiles that touch, never skipping one.
    Key(Qt::Key_Right);
    int at = map.Current();
    for (int steps = 0; steps < 6; ++steps) {
        Key(Qt::Key_Down);
        if (map.Current() == at) break;
        EXPECT_EQ(map.TileRect(map.Current()).top(), map.TileRect(at).bottom());
        at = map.Current();
    }
    EXPECT_TRUE(activated.empty()) << "arrows never go in";

    Key(Qt::Key_Return);
    EXPECT_EQ(activated, std::vector<int>{map.Current()});
    EXPECT_EQ(selected.back(), map.Current());
}

QColor PixelAt(const QImage& image, const QPointF& logical) {
    return image.pixelColor((logical * image.devicePixelRatio()).toPoint());
}

TEST_F(GrowthMapTest, colours_warmWhereGrownCoolWhereShrunk) {
    for (qreal ratio : {1.0, 1.25, 2.0}) {
        SCOPED_TRACE(ratio);
        const QImage image = Render(ratio);
        const auto at = [&](int index) {
            const QRectF tile = map.TileRect(index);
            return PixelAt(image, QPointF(tile.center().x(), tile.bottom() - 4));
        };
        const QColor grown = at(0);
        const QColor shrunk = at(1);
        const QColor same = at(2);
        EXPECT_GT(grown.red(), grown.blue() + 100);
        EXPECT_GT(shrunk.blue(), shrunk.red() + 100);
        EXPECT_LT(std::abs(same.red() - same.blue()), 20);
        const QColor slightly = at(4);  // lost an eighth
        EXPECT_GT(slightly.blue(), slightly.red());
        EXPECT_LT(slightly.blue() - slightly.red(), shrunk.blue() - shrunk.red())
            << "a small change shows weaker than a large one";
    }

    map.SetEntries(Folders(), false);
    const QImage bySize = Render(1.0);
    const QColor large = PixelAt(bySize, map.TileRect(0).center() + QPointF(0, 30));
    const QColor small = PixelAt(bySize, map.TileRect(5).center() + QPointF(0, 8));
    EXPECT_LT(large.lightness(), small.lightness()) << "without changes, larger is darker";
    EXPECT_GT(large.green(), large.red()) << "and in neither warm nor cool";
}

// Run once more under QT_SCALE_FACTOR: every tile begins and ends on a whole device pixel, and
// its edges are its own colour or the gap's, never a blend of the two or of a neighbour's.
TEST_F(GrowthMapTest, scaledScreens_paintTileEdgesOnWholePixels) {
    const qreal ratio = map.devicePixelRatioF();
    SCOPED_TRACE(ratio);
    const QImage image = Render(ratio);
    const QRgb gap = QColor(Qt::white).rgb();
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        const QRectF device(map.TileRect(i).topLeft() * ratio, map.TileRect(i).size() * ratio);
        const QRect pixels = device.toRect();
        ASSERT_EQ(QRectF(pixels), device) << "edges on whole device pixels";
        const QRgb fill = image.pixel(pixels.topLeft());
        EXPECT_NE(fill, gap);
        const auto own = [&](int x, int y) {
            const QRgb pixel = image.pixel(x, y);
            return pixel == fill || pixel == gap;
        };
        for (int x = pixels.left(); x <= pixels.right(); ++x) {
            ASSERT_TRUE(own(x, pixels.top())) << x;
            ASSERT_EQ(image.pixel(x, pixels.bottom()), gap) << x;
        }
        for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
            ASSERT_TRUE(own(pixels.left(), y)) << y;
            ASSERT_EQ(image.pixel(pixels.right(), y), gap) << y;
        }
    }
}

TEST_F(GrowthMapTest, screenReaders_readTilesWithSizeAndChange) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&map);
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->role(), QAccessible::List);
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("Карта росту"));
    ASSERT_EQ(iface->childCount(), 8);
    QAccessibleInterface* videos = iface->child(0);
    EXPECT_EQ(videos->role(), QAccessible::ListItem);
    EXPECT_EQ(videos->text(QAccessible::Name), QStringLiteral("Videos"));
    EXPECT_EQ(videos->text(QAccessible::Description),
              QStringLiteral("40.00 Go, зміна +20.00 Go (+2.50 Go за день)"));
    EXPECT_EQ(iface->child(1)->text(QAccessible::Description),
              QStringLiteral("30.00 Go, зміна \u221230.00 Go"));
    EXPECT_EQ(iface->child(2)->text(QAccessible::Description),
              QStringLiteral("20.00 Go, без змін"));
    EXPECT_EQ(iface->indexOfChild(videos), 0);
    EXPECT_EQ(videos->parent(), iface);
    const QRectF tile = map.TileRect(3);
    const QPoint inside = map.mapToGlobal(tile.center().toPoint());
    EXPECT_EQ(iface->childAt(inside.x(), inside.y()), iface->child(3));
    EXPECT_TRUE(iface->child(6)->state().offscreen) << "read, but marked too small to see";

    QAccessibleInterface* photos = iface->child(1);

    // The tile the keyboard is on is the focused child, before any arrow and after.
    map.show();
    map.activateWindow();
    map.setFocus();
    QCoreApplication::processEvents();
    if (!map.hasFocus()) GTEST_SKIP() << "the platform gives no window the keyboard";
    EXPECT_EQ(iface->focusChild(), videos);
    Key(Qt::Key_Down);
    Key(Qt::Key_Right);
    EXPECT_EQ(iface->focusChild(), iface->child(map.Current()));
    EXPECT_TRUE(iface->child(map.Current())->state().focused);

    map.SetEntries({{QStringLiteral("only"), 10, std::nullopt, std::nullopt}}, false);
    EXPECT_EQ(iface->childCount(), 1);
    EXPECT_FALSE(iface->child(0)->state().selected);
    EXPECT_EQ(iface->child(0)->text(QAccessible::Description), QStringLiteral("0.00 Go"));
    EXPECT_EQ(videos->text(QAccessible::Name), QStringLiteral("only"))
        << "a kept tile reads what is shown now";
    EXPECT_FALSE(photos->isValid());
}

}  // namespace
