#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QPalette>

#include "DiskUtils.h"
#include "FakeLayer.h"
#include "InfosForm.h"
#include "InfosLayout.h"
#include "QtAppEnvironment.h"

namespace {

// Fusion's usual dark scheme.
QPalette DarkPalette() {
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(53, 53, 53));
    dark.setColor(QPalette::WindowText, Qt::white);
    dark.setColor(QPalette::Base, QColor(42, 42, 42));
    dark.setColor(QPalette::Text, Qt::white);
    dark.setColor(QPalette::Button, QColor(53, 53, 53));
    dark.setColor(QPalette::ButtonText, Qt::white);
    return dark;
}

TEST(InfoContrast, contrastRatio_matchesKnownPairs) {
    EXPECT_NEAR(InfosLayout::ContrastRatio(Qt::black, Qt::white), 21.0, 1e-9);
    EXPECT_NEAR(InfosLayout::ContrastRatio(Qt::white, Qt::black), 21.0, 1e-9);
    EXPECT_NEAR(InfosLayout::ContrastRatio(QColor(90, 90, 90), QColor(90, 90, 90)), 1.0, 1e-9);
    EXPECT_NEAR(InfosLayout::ContrastRatio(InfosLayout::kHighlight, Qt::white), 10.26, 0.01);
    EXPECT_LT(InfosLayout::ContrastRatio(InfosLayout::kHighlight, QColor(53, 53, 53)), 1.6);
    EXPECT_GT(InfosLayout::ContrastRatio(InfosLayout::kHighlight, InfosLayout::kDesignFace), 8.9);
}

TEST(InfoContrast, needsDesignFace_onlyOnDarkFaces) {
    QPalette light;
    light.setColor(QPalette::Window, QColor(239, 239, 239));
    light.setColor(QPalette::WindowText, Qt::black);
    EXPECT_FALSE(InfosLayout::NeedsDesignFace(light));
    EXPECT_TRUE(InfosLayout::NeedsDesignFace(DarkPalette()));
    QPalette midGrey = light;
    midGrey.setColor(QPalette::Window, QColor(128, 128, 128));
    EXPECT_TRUE(InfosLayout::NeedsDesignFace(midGrey));
}

// The ratio between a label's surroundings and the ink farthest from them, read from the
// rendered window.
double RenderedContrast(const QImage& window, const QLabel* label) {
    const QRect rect(label->mapTo(label->window(), QPoint(0, 0)), label->size());
    const QColor face = window.pixelColor(rect.topLeft() - QPoint(1, 0));
    double best = 1;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            best = std::max(best, InfosLayout::ContrastRatio(face, window.pixelColor(x, y)));
    return best;
}

class InfoDarkThemeTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved = QApplication::palette();
        QApplication::setPalette(DarkPalette());
        DiskUtils::ResetOptionState();
        platform::FakeDrive& d = fake->drive('D');
        d.totalBytes = 2000000000;
        d.freeBytes = 500000000;
        d.volume = {"DATA", "NTFS", 0x12AB34CD, 255, 0x80000001};
        d.type = platform::kDriveFixed;
    }
    void TearDown() override {
        QApplication::setPalette(saved);
        DiskUtils::ResetOptionState();
    }

    QPalette saved;
    platform::ScopedFakeLayer fake;
};

TEST_F(InfoDarkThemeTest, everyText_keepsReadableContrastOnADarkTheme) {
    TFrmDiskInfo window(nullptr);
    window.FormCreate();
    window.Disk->SetDriveIndex(DiskUtils::DriveLetterToIndex('D'));
    window.FormShow();
    const QImage shot = window.grab().toImage();
    for (const QLabel* label :
         {window.Label1, window.Label2, window.Label3, window.Label4, window.Label5, window.Label6,
          window.Label7, window.Label8, window.Label9, window.Label10, window.Label11,
          window.Label12, window.Label13, window.Label14, window.Label15}) {
        EXPECT_GE(RenderedContrast(shot, label), 4.5) << label->text().toStdString();
    }
}

TEST_F(InfoDarkThemeTest, captions_areTiedToTheirValuesForScreenReaders) {
    TFrmDiskInfo window(nullptr);
    const std::pair<QLabel*, QLabel*> pairs[] = {
        {window.Label1, window.Label4},   {window.Label2, window.Label5},
        {window.Label3, window.Label6},   {window.Label10, window.Label11},
        {window.Label12, window.Label13}, {window.Label14, window.Label15}};
    for (const auto& [caption, value] : pairs) {
        EXPECT_EQ(caption->buddy(), value) << caption->text().toStdString();
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(value);
        const auto labelled = iface->relations(QAccessible::Label);
        ASSERT_EQ(labelled.size(), 1) << caption->text().toStdString();
        EXPECT_EQ(labelled.front().first->object(), caption);
    }
    for (const QLabel* image : window.IconStore) EXPECT_FALSE(image->accessibleName().isEmpty());
    EXPECT_FALSE(window.windowTitle().isEmpty());
    window.FormCreate();
    window.Disk->SetDriveIndex(DiskUtils::DriveLetterToIndex('D'));
    window.FormShow();
    EXPECT_EQ(window.Image1->accessibleName().toStdString(), "Local drive");
}

}  // namespace
