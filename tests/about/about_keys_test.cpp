#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTimer>

#include "AboutForm.h"
#include "QtAppEnvironment.h"
#include "Unit1.h"

namespace {

void Press(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent event(QEvent::KeyPress, key, modifiers);
    QCoreApplication::sendEvent(target, &event);
}

TEST(AboutKeysTest, escapeDuringModalShowings_returnsCancel) {
    QTemporaryDir dir;
    TFrmAbout form({}, dir.path());
    QTimer::singleShot(0, &form, [&form] { Press(&form, Qt::Key_Escape); });
    EXPECT_EQ(form.ShowModal(), TFrmAbout::kModalCancel);
    EXPECT_FALSE(form.isVisible());

    TAboutBox box;
    QTimer::singleShot(0, &box, [&box] { Press(&box, Qt::Key_Escape); });
    EXPECT_EQ(box.exec(), TAboutBox::kModalCancel);
    EXPECT_FALSE(box.isVisible());
}

TEST(AboutKeysTest, escapeOnModelessWindows_hidesThemAndOtherKeysDoNot) {
    QTemporaryDir dir;
    TFrmAbout form({}, dir.path());
    TAboutBox box;
    for (QWidget* window : {static_cast<QWidget*>(&form), static_cast<QWidget*>(&box)}) {
        window->show();
        Press(window, Qt::Key_Space);
        Press(window, Qt::Key_Escape, Qt::ControlModifier);
        EXPECT_TRUE(window->isVisible());
        Press(window, Qt::Key_Escape);
        EXPECT_FALSE(window->isVisible());
    }
    EXPECT_EQ(form.ModalResult(), 0);
}

}  // namespace
