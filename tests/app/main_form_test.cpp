#include <gtest/gtest.h>

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>
#include <functional>

#include "FakeLayer.h"
#include "Fonts.h"
#include "InfosForm.h"
#include "MainForm.h"
#include "OwnerDrawList.h"
#include "QtAppEnvironment.h"
#include "WindowGeometry.h"

using namespace DiskUtils;

namespace {

class MainFormTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { SetUpFonts(); }
    void SetUp() override {
        ResetOptionState();
        fake->AddDrive('C', 2'000'000'000, 500'000'000, platform::kDriveFixed);
        fake->AddDrive('D', 1'073'741'824, 73'741'824, platform::kDriveFixed);
        fake->AddDrive('N', 9'000'000'000, 1'000'000'000, platform::kDriveRemote);
    }
    void TearDown() override { ResetOptionState(); }

    std::unique_ptr<TFrmMain> Created() {
        auto form = std::make_unique<TFrmMain>();
        form->FormCreate();
        return form;
    }

    void Wheel(TFrmMain& form, QPoint delta) {
        QWheelEvent event(QPointF(10, 10), QPointF(10, 10), QPoint(), delta, Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(form.viewport(), &event);
    }

    platform::ScopedFakeLayer fake;
};

TEST_F(MainFormTest, formCreate_startsInMegaUnitsWhileGigaIsChecked) {
    const auto form = Created();
    EXPECT_EQ(DisplayUnit, suMega);
    EXPECT_TRUE(form->Giga1->isChecked());
    EXPECT_TRUE(form->N10001->isChecked());
    EXPECT_TRUE(form->Octets1->isChecked());
    EXPECT_FALSE(form->Alphablending1->isChecked());
    EXPECT_FALSE(form->Stayontop1->isChecked());
    EXPECT_EQ(UnitNames[suGiga], "Go");
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Vollmark"));
    EXPECT_EQ(form->Model().Entries(), (std::vector<std::string>{"*", "#", "C", "D", "N"}));
    EXPECT_EQ(form->ListBox1->height(), 5 * 54);
    EXPECT_EQ(form->ListBox1->ItemIndex(), -1);
    EXPECT_EQ(form->size(), QSize(369, 162));
    EXPECT_TRUE(form->Timer1->isActive());
    EXPECT_EQ(form->Timer1->interval(), 5000);
}

TEST_F(MainFormTest, menu_holdsEveryItemInOrder) {
    const auto form = Created();
    QStringList top;
    for (QAction* action : form->PopupMenu1->actions())
        top << (action->isSeparator() ? QStringLiteral("-") : action->text());
    // The items added later come after the original ones, in a group of their own.
    EXPECT_EQ(top, (QStringList{"Інформація про діск...", "-", "Обновити", "-", "Опції", "-",
                                "Закрити", "-", "Історія диска...", "Що займає місце...",
                                "Попереджати, коли диск заповнюється", "Запускати під час входу"}));
    EXPECT_TRUE(form->Warnings1->isChecked());
    QStringList settings;
    for (QAction* action : form->Settings1->actions())
        settings << (action->isSeparator() ? QStringLiteral("-") : action->text());
    EXPECT_EQ(settings, (QStringList{"Обчислити ємкість, як:", "Обєднати в:", "Формат відображення",
                                     "-", "Прозрачність", "Залишити вершину"}));
    EXPECT_EQ(form->Tera1->text(), QStringLiteral("Терабайти"));
}

TEST_F(MainFormTest, paintingLocalSummary_setsCaptionFromLocalSumsOnly) {
    const auto form = Created();
    form->ListBox1->grab();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Vollmark - Total: 3.07 Go (19.0 % Free)"));
}

TEST_F(MainFormTest, popup_showsDriveInformationOnlyOnDriveRows) {
    const auto form = Created();
    for (const auto& [index, shown] :
         {std::pair{-1, false}, {0, false}, {1, false}, {2, true}, {4, true}}) {
        form->ListBox1->SetItemIndex(index);
        form->PopupMenu1Popup();
        EXPECT_EQ(form->Driveinfos1->isVisible(), shown) << index;
        EXPECT_EQ(form->N1->isVisible(), shown) << index;
        EXPECT_EQ(form->Drivehistory1->isVisible(), shown) << index;
        EXPECT_EQ(form->Whattakesspace1->isVisible(), shown) << index;
        EXPECT_EQ(form->ListBox1->ItemIndex(), index);
    }
}

TEST_F(MainFormTest, eachOption_changesItsSettingAndRescans) {
    const auto form = Created();
    const struct {
        QAction* TFrmMain::*item;
        std::function<bool()> applied;
    } cases[] = {
        {&TFrmMain::N10241, [&] { return form->Model().LocalTotals().Total == Capacity{28626}; }},
        {&TFrmMain::N10001, [&] { return form->Model().LocalTotals().Total == Capacity{30737}; }},
        {&TFrmMain::Bytes1, [] { return UnitNames[suGiga] == "GB"; }},
        {&TFrmMain::Octets1, [] { return UnitNames[suByte] == "Octets"; }},
        {&TFrmMain::Kilo1, [] { return DisplayUnit == suKilo; }},
        {&TFrmMain::Giga1, [] { return DisplayUnit == suGiga; }},
        {&TFrmMain::Tera1, [] { return DisplayUnit == suTera; }},
        {&TFrmMain::Mega1, [] { return DisplayUnit == suMega; }},
        {&TFrmMain::Rescan1, [] { return true; }},
    };
    for (const auto& c : cases) {
        QAction* action = (*form).*c.item;
        const int probesOfZ = fake->countsFor('Z').space;
        action->trigger();
        EXPECT_TRUE(c.applied()) << action->text().toStdString();
        EXPECT_EQ(fake->countsFor('Z').space, probesOfZ + 1) << action->text().toStdString();
        EXPECT_EQ(action->isChecked(), action->isCheckable());
    }
}

TEST_F(MainFormTest, rescanAfterNewDrives_keepsWindowHeightAndGrowsList) {
    const auto form = Created();
    const int height = form->height();
    fake->AddDrive('E', 5'000'000, 0, platform::kDriveRemovable);
    form->Rescan1->trigger();
    EXPECT_EQ(form->ListBox1->height(), 6 * 54);
    EXPECT_EQ(form->height(), height);
    EXPECT_EQ(form->maximumWidth(), form->width());
    EXPECT_EQ(form->Model().LocalTotals().Total, Capacity{30737});
}

TEST_F(MainFormTest, wheel_movesOneLineIncrementPerEvent) {
    for (char letter = 'E'; letter <= 'M'; ++letter)
        fake->AddDrive(letter, 1'000'000, 0, platform::kDriveFixed);
    const auto form = Created();
    form->show();
    form->resize(369, 162);
    QApplication::processEvents();
    QScrollBar* bar = form->verticalScrollBar();
    const int step = WheelLineIncrement(form->viewport()->height());
    ASSERT_GT(step, 0);
    EXPECT_EQ(bar->singleStep(), step);
    Wheel(*form, {0, -120});
    EXPECT_EQ(bar->value(), step);
    Wheel(*form, {0, -1200});
    EXPECT_EQ(bar->value(), 2 * step);
    Wheel(*form, {0, 120});
    EXPECT_EQ(bar->value(), step);
    Wheel(*form, {120, 0});
    EXPECT_EQ(bar->value(), step);
    for (int i = 0; i < 10; ++i) Wheel(*form, {0, 120});
    EXPECT_EQ(bar->value(), 0);
}

TEST_F(MainFormTest, showing_fitsClientHeightToTheListWithinTheScreen) {
    const auto form = Created();
    form->show();
    EXPECT_EQ(form->height(), 5 * 54);
    for (char letter = 'E'; letter <= 'Z'; ++letter)
        fake->AddDrive(letter, 1'000'000, 0, platform::kDriveFixed);
    form->Rescan1Click();
    form->hide();
    form->show();
    QApplication::processEvents();
    EXPECT_LE(form->frameGeometry().height(), form->screen()->availableGeometry().height());
}

TEST_F(MainFormTest, doubleClick_clearsTheSelection) {
    const auto form = Created();
    form->ListBox1->SetItemIndex(3);
    QMouseEvent click(QEvent::MouseButtonDblClick, QPointF(20, 3 * 54 + 5), QPointF(20, 3 * 54 + 5),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form->ListBox1, &click);
    EXPECT_EQ(form->ListBox1->ItemIndex(), -1);
}

TEST_F(MainFormTest, vanishedDriveFoundWhilePainting_isDroppedByRescan) {
    const auto form = Created();
    fake->remove('D');
    form->ListBox1->grab();
    EXPECT_EQ(form->Model().Entries(), (std::vector<std::string>{"*", "#", "C", "N"}));
    QApplication::processEvents();
    EXPECT_EQ(form->ListBox1->height(), 4 * 54);
    form->ListBox1->grab();
    EXPECT_EQ(form->Model().Entries().size(), 4u);
}

// On screen the rescan runs inside the list's own paint: the rows it replaced must be
// painted again afterwards, at the new height.
TEST_F(MainFormTest, vanishedDriveOnScreen_isRepaintedAfterTheRescan) {
    const auto form = Created();
    form->show();
    QApplication::processEvents();
    fake->remove('C');
    form->Timer1Timer();
    QApplication::processEvents();
    EXPECT_EQ(form->Model().Entries(), (std::vector<std::string>{"*", "#", "D", "N"}));
    form->setWindowTitle(QStringLiteral("stale"));
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
    EXPECT_EQ(form->ListBox1->height(), 4 * 54);
    EXPECT_TRUE(form->windowTitle().startsWith(QStringLiteral("Vollmark - Total: 1.07 Go")))
        << form->windowTitle().toStdString();
}

TEST_F(MainFormTest, arrowKeys_moveTheSelectionWithinTheRows) {
    const auto form = Created();
    const auto press = [&](Qt::Key key) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(form->ListBox1, &event);
    };
    press(Qt::Key_Down);
    EXPECT_EQ(form->ListBox1->ItemIndex(), 0);
    press(Qt::Key_Up);
    EXPECT_EQ(form->ListBox1->ItemIndex(), 0);
    press(Qt::Key_End);
    EXPECT_EQ(form->ListBox1->ItemIndex(), 4);
    press(Qt::Key_Down);
    EXPECT_EQ(form->ListBox1->ItemIndex(), 4);
}

TEST_F(MainFormTest, driveInformation_selectsRowDriveAndRefillsOpenWindow) {
    const auto form = Created();
    TFrmDiskInfo info(form.get());
    info.FormCreate();
    form->AttachDiskInfo(&info);
    form->ListBox1->SetItemIndex(1);
    form->Driveinfos1Click();
    EXPECT_FALSE(info.isVisible());
    form->ListBox1->SetItemIndex(3);
    form->Driveinfos1->trigger();
    EXPECT_TRUE(info.isVisible());
    EXPECT_EQ(info.Disk->DriveLetter, 'D');
    form->ListBox1->SetItemIndex(2);
    form->Driveinfos1Click();
    EXPECT_TRUE(info.isVisible());
    EXPECT_EQ(info.Disk->DriveLetter, 'C');
    info.hide();
    info.FormDestroy();
}

// The layer may answer all the queries of one scan from one system call per drive, so each
// repaint, rescan and refill of the information window must be one.
TEST_F(MainFormTest, repaintRescanAndInformation_eachQueryInsideAScan) {
    const auto form = Created();
    TFrmDiskInfo info(form.get());
    info.FormCreate();
    form->AttachDiskInfo(&info);
    const int before = fake->scans().begun;
    form->ListBox1->grab();
    EXPECT_EQ(fake->scans().begun, before + 1);
    form->ListBox1->SetItemIndex(3);
    form->Driveinfos1Click();
    form->Rescan1Click();
    EXPECT_EQ(fake->scans().unscoped, 0);
    EXPECT_FALSE(fake->scanning());
    info.hide();
    info.FormDestroy();
}

TEST_F(MainFormTest, transparency_appliesOpacityOnlyWhileChecked) {
    const auto form = Created();
    form->Alphablending1->trigger();
    EXPECT_NEAR(form->windowOpacity(), 180.0 / 255.0, 0.01);
    form->Alphablending1->trigger();
    EXPECT_DOUBLE_EQ(form->windowOpacity(), 1.0);
}

TEST_F(MainFormTest, stayOnTop_togglesTheHintWithoutHidingTheWindow) {
    const auto form = Created();
    form->show();
    form->Stayontop1->trigger();
    EXPECT_TRUE(form->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(form->isVisible());
    form->Stayontop1->trigger();
    EXPECT_FALSE(form->windowFlags() & Qt::WindowStaysOnTopHint);
}

TEST_F(MainFormTest, localeChange_reloadsTheSeparators) {
    const auto form = Created();
    fake->settings = {std::string(" "), std::string(",")};
    QEvent change(QEvent::LocaleChange);
    QApplication::sendEvent(form.get(), &change);
    EXPECT_EQ(Separators.Decimal, ",");
    EXPECT_EQ(Separators.Thousands, " ");
}

TEST_F(MainFormTest, formDestroy_stopsTimerThenFreesEverything) {
    const auto form = Created();
    form->FormDestroy();
    EXPECT_FALSE(form->Timer1->isActive());
    EXPECT_EQ(form->ListBox1->Count(), 0);
    EXPECT_EQ(form->Disk, nullptr);
    for (const auto& image : form->ListImages) EXPECT_EQ(image, nullptr);
    form->ListBox1->grab();
}

// A creation that failed before the probe existed leaves a window that must still paint
// and take menu choices.
TEST_F(MainFormTest, windowWithoutCreation_paintsAndRescansWithoutProbe) {
    TFrmMain form;
    form.ListBox1->grab();
    form.Giga1->trigger();
    form.ListBox1->grab();
    EXPECT_EQ(form.Model().Entries().size(), 1u);
}

}  // namespace
