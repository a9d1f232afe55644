#include <gtest/gtest.h>

#include <QLabel>
#include <QMouseEvent>
#include <QTimer>

#include "QtAppEnvironment.h"
#include "ResourceImage.h"
#include "Unit1.h"

namespace {

void ClickLeft(QWidget* widget) {
    const QPointF at(10, 10);
    QMouseEvent press(QEvent::MouseButtonPress, at, widget->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, widget->mapToGlobal(at), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
    QCoreApplication::sendEvent(widget, &release);
}

// The box is sized from the picture's header; the pixels arrive when it is first shown.
TEST(AboutBoxTest, showing_givesThePictureAtFullSize) {
    TAboutBox box;
    EXPECT_EQ(box.windowTitle(), "11111");
    EXPECT_EQ(box.size(), QSize(512, 384));
    EXPECT_EQ(box.Image1->geometry(), QRect(0, 0, 512, 384));
    box.show();
    ASSERT_EQ(box.Image1->pixmap().size(), QSize(512, 384));
    ResourceImage picture;
    picture.LoadFromResource(QStringLiteral("ABOUTBOX"));
    EXPECT_EQ(box.Image1->pixmap().toImage().convertToFormat(QImage::Format_RGB32),
              picture.ColorSurface());
}

TEST(AboutBoxTest, clickDuringModalShowing_returnsCancel) {
    TAboutBox box;
    QTimer::singleShot(0, &box, [&box] { ClickLeft(box.Image1); });
    EXPECT_EQ(box.exec(), 2);
    EXPECT_FALSE(box.isVisible());
}

TEST(AboutBoxTest, clickOnModelessBox_hidesIt) {
    TAboutBox box;
    box.show();
    ClickLeft(box.Image1);
    EXPECT_FALSE(box.isVisible());
    EXPECT_FALSE(box.isModal());
}

}  // namespace
