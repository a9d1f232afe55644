#include <gtest/gtest.h>

#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QToolTip>
#include <optional>

#include "FakeLayer.h"
#include "Fonts.h"
#include "InfosForm.h"
#include "MainForm.h"
#include "OwnerDrawList.h"
#include "QtAppEnvironment.h"
#include "RowPainter.h"
#include "RowToolTip.h"

namespace {

constexpr int kDriveRowC = 2;
constexpr int kDriveRowD = 3;

class KeyboardTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { SetUpFonts(); }
    void SetUp() override {
        DiskUtils::ResetOptionState();
        AddDrive('C', "SYSTEM", "NTFS");
        AddDrive('D', "/media/someone/a-rather-long-backup-volume-name", "ext4");
        form.FormCreate();
        info.FormCreate();
        form.AttachDiskInfo(&info);
        form.show();
    }
    void TearDown() override {
        QToolTip::hideText();
        DiskUtils::ResetOptionState();
    }

    void AddDrive(char letter, std::string label, std::string fileSystem) {
        auto& drive = fake->drive(letter);
        drive.totalBytes = 2'000'000'000;
        drive.freeBytes = 500'000'000;
        drive.volume.volumeName = std::move(label);
        drive.volume.fileSystemName = std::move(fileSystem);
    }

    void Press(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent event(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(target, &event);
    }

    std::optional<QPoint> MenuPointAfter(const std::function<void()>& action) {
        std::optional<QPoint> point;
        const auto connection = QObject::connect(form.ListBox1, &TOwnerDrawList::ContextPopup,
                                                 [&](const QPoint& at) { point = at; });
        action();
        QObject::disconnect(connection);
        form.PopupMenu1->hide();
        return point;
    }

    QString ToolTipOver(int row) {
        const QPoint at(200, row * kRowHeight + 10);
        QHelpEvent event(QEvent::ToolTip, at, form.ListBox1->mapToGlobal(at));
        QApplication::sendEvent(form.ListBox1, &event);
        return event.isAccepted() ? QToolTip::text() : QString();
    }

    platform::ScopedFakeLayer fake;
    TFrmMain form;
    TFrmDiskInfo info{&form};
};

TEST_F(KeyboardTest, shiftF10AndMenuKey_openTheMenuAtTheSelectedRow) {
    form.ListBox1->SetItemIndex(kDriveRowD);
    const auto fromShiftF10 =
        MenuPointAfter([&] { Press(form.ListBox1, Qt::Key_F10, Qt::ShiftModifier); });
    ASSERT_TRUE(fromShiftF10);
    const QPoint local = form.ListBox1->mapFromGlobal(*fromShiftF10);
    EXPECT_EQ(form.ListBox1->RowAt(local.y()), kDriveRowD);

    const auto fromMenuKey = MenuPointAfter([&] {
        QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(0, 0), QPoint(0, 0));
        QApplication::sendEvent(form.ListBox1, &event);
    });
    EXPECT_EQ(fromMenuKey, fromShiftF10);
    EXPECT_EQ(form.ListBox1->ItemIndex(), kDriveRowD);
}

TEST_F(KeyboardTest, otherF10Chords_openNoMenu) {
    form.ListBox1->SetItemIndex(kDriveRowC);
    EXPECT_FALSE(MenuPointAfter([&] { Press(form.ListBox1, Qt::Key_F10); }));
    EXPECT_FALSE(MenuPointAfter(
        [&] { Press(form.ListBox1, Qt::Key_F10, Qt::ShiftModifier | Qt::ControlModifier); }));
}

TEST_F(KeyboardTest, returnOnDriveRow_opensItsInformationThenRefillsForAnother) {
    form.ListBox1->SetItemIndex(kDriveRowC);
    Press(form.ListBox1, Qt::Key_Return);
    ASSERT_TRUE(info.isVisible());
    EXPECT_EQ(info.Label9->text(), QStringLiteral("SYSTEM [C:]"));
    const QPoint placed = info.pos();
    form.ListBox1->SetItemIndex(kDriveRowD);
    Press(form.ListBox1, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_TRUE(info.Label9->text().endsWith(QStringLiteral("[D:]")));
    EXPECT_EQ(info.pos(), placed);
}

TEST_F(KeyboardTest, returnWithoutDriveRow_opensNothing) {
    Press(form.ListBox1, Qt::Key_Return);
    EXPECT_FALSE(info.isVisible());
    for (const int summary : {0, 1}) {
        form.ListBox1->SetItemIndex(summary);
        Press(form.ListBox1, Qt::Key_Return);
        EXPECT_FALSE(info.isVisible()) << summary;
    }
}

TEST_F(KeyboardTest, doubleClick_onlyClearsTheSelection) {
    form.ListBox1->SetItemIndex(kDriveRowC);
    const QPointF at(20, kDriveRowC * kRowHeight + 10);
    QMouseEvent event(QEvent::MouseButtonDblClick, at, form.ListBox1->mapToGlobal(at),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.ListBox1, &event);
    EXPECT_EQ(form.ListBox1->ItemIndex(), -1);
    EXPECT_FALSE(info.isVisible());
}

TEST_F(KeyboardTest, escape_closesTheInformationWindowOnly) {
    form.ListBox1->SetItemIndex(kDriveRowC);
    form.Driveinfos1Click();
    ASSERT_TRUE(info.isVisible());
    Press(&info, Qt::Key_Escape, Qt::ShiftModifier);
    EXPECT_TRUE(info.isVisible());
    Press(&info, Qt::Key_Escape);
    EXPECT_FALSE(info.isVisible());
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(info.Label9->text(), QStringLiteral("SYSTEM [C:]"));
}

TEST_F(KeyboardTest, shortenedLabel_getsFullLabelAndExactCountsAsTooltip) {
    const QString tip = ToolTipOver(kDriveRowD);
    EXPECT_EQ(tip, QStringLiteral("/media/someone/a-rather-long-backup-volume-name\n"
                                  "Total: 2,000,000,000 Octets\n"
                                  "Free: 500,000,000 Octets\n"
                                  "Used: 1,500,000,000 Octets"));
    EXPECT_TRUE(ToolTipOver(kDriveRowC).isEmpty());
    EXPECT_TRUE(ToolTipOver(0).isEmpty());
    EXPECT_TRUE(ToolTipOver(10).isEmpty());
}

TEST_F(KeyboardTest, tooltip_leavesThePaintersProbeOnItsDrive) {
    form.Disk->SetDriveIndex(DiskUtils::DriveLetterToIndex('C'));
    ToolTipOver(kDriveRowD);
    EXPECT_EQ(form.Disk->DriveLetter, 'C');
}

TEST(LabelShortenedTest, followsTheRoomLeftByTheBracketText) {
    SetUpFonts();
    const QFont font = ListFont();
    const struct {
        const char* label;
        const char* bracket;
        bool shortened;
    } cases[] = {
        {"SYSTEM", "[NTFS - Local drive]", false},
        {"", "[NTFS - Local drive]", false},
        {"/media/someone/a-rather-long-backup-volume-name", "[ext4 - Local drive]", true},
        {"BACKUP-VOLUME", "", false},
        {"/media/someone/a-rather-long-backup-volume-name", "", true},
        {"BACKUP-VOLUME", "[fuse.sshfs-with-a-long-type - Network drive]", true},
    };
    for (const auto& c : cases) {
        RowContent content;
        content.Label = c.label;
        content.BracketText = c.bracket;
        EXPECT_EQ(LabelShortened(content, font), c.shortened) << c.label << " / " << c.bracket;
    }
}

}  // namespace
