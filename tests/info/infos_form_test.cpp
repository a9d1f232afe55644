#include <gtest/gtest.h>

#include <QLabel>
#include <QPixmap>

#include "DiskUtils.h"
#include "FakeLayer.h"
#include "InfosForm.h"
#include "QtAppEnvironment.h"

namespace {

QImage PictureOf(const QLabel* label) {
    return label->pixmap().toImage();
}

class InfosFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        DiskUtils::ResetOptionState();
        fake->settings = {std::string("\u00a0"), std::string(",")};
        DiskUtils::LoadNumberSeparators();
        platform::FakeDrive& d = fake->drive('D');
        d.totalBytes = 2000000000;
        d.freeBytes = 500000000;
        d.volume = {"DATA", "NTFS", 0x12AB34CD, 255, 0x80000001};
        d.type = platform::kDriveFixed;
        window.FormCreate();
    }
    void TearDown() override { DiskUtils::ResetOptionState(); }

    void Fill(char letter) {
        window.Disk->SetDriveIndex(DiskUtils::DriveLetterToIndex(letter));
        window.FormShow();
    }

    platform::ScopedFakeLayer fake;
    TFrmDiskInfo window{nullptr};
};

TEST_F(InfosFormTest, presentDrive_fillsEveryLabel) {
    Fill('D');
    EXPECT_EQ(window.Label9->text(), "DATA [D:]");
    EXPECT_EQ(window.Label4->text(), "2\u00a0000\u00a0000\u00a0000 Octets");
    EXPECT_EQ(window.Label5->text(), "500\u00a0000\u00a0000 Octets");
    EXPECT_EQ(window.Label6->text(), "1\u00a0500\u00a0000\u00a0000 Octets");
    EXPECT_EQ(window.Label7->text(), "25,00 %");
    EXPECT_EQ(window.Label8->text(), "75,00 %");
    EXPECT_EQ(window.Label11->text(), "NTFS");
    EXPECT_EQ(window.Label13->text(), "Local drive [ 3 ] [ -2147483647 ]");
    EXPECT_EQ(window.Label15->text(), "[ 12AB-34CD ] [ 313210061 ]");
    EXPECT_EQ(PictureOf(window.Image1), PictureOf(window.IconStore[2]));
}

TEST_F(InfosFormTest, absentDrive_showsZerosAndKeepsIcon) {
    Fill('D');
    Fill('Q');
    EXPECT_EQ(window.Label9->text(), "(Неназваний диск) [Q:]");
    EXPECT_EQ(window.Label4->text(), "0 Octets");
    EXPECT_EQ(window.Label5->text(), "0 Octets");
    EXPECT_EQ(window.Label6->text(), "0 Octets");
    EXPECT_EQ(window.Label7->text(), "0,00 %");
    EXPECT_EQ(window.Label8->text(), "0,00 %");
    EXPECT_EQ(window.Label11->text(), "");
    EXPECT_EQ(window.Label13->text(), "0 [ 0 ] [ 0 ]");
    EXPECT_EQ(window.Label15->text(), "[ 0000-0000 ] [ 0 ]");
    EXPECT_EQ(PictureOf(window.Image1), PictureOf(window.IconStore[2]));
}

TEST_F(InfosFormTest, unlabelledVolume_showsUnnamedHeader) {
    fake->drive('E') = fake->drive('D');
    fake->drive('E').volume.volumeName.clear();
    Fill('E');
    EXPECT_EQ(window.Label9->text(), "(Неназваний диск) [E:]");
}

TEST_F(InfosFormTest, switchingWordSets_changesOnlyTheByteWordAtNextFill) {
    DiskUtils::DisplayUnit = DiskUtils::suGiga;
    DiskUtils::SetUnitDivisors(DiskUtils::UnitDivisors1024);
    Fill('D');
    EXPECT_EQ(window.Label5->text(), "500\u00a0000\u00a0000 Octets");
    DiskUtils::SetUnitNames(DiskUtils::ByteUnitNames);
    EXPECT_EQ(window.Label5->text(), "500\u00a0000\u00a0000 Octets");
    window.FormShow();
    EXPECT_EQ(window.Label5->text(), "500\u00a0000\u00a0000 Bytes");
    EXPECT_EQ(window.Label4->text(), "2\u00a0000\u00a0000\u00a0000 Bytes");
}

TEST_F(InfosFormTest, everyFill_queriesFlagsButNothingElse) {
    Fill('D');
    fake->resetCounts();
    fake->drive('D').volume.fileSystemFlags = 7;
    fake->drive('D').volume.volumeName = "RENAMED";
    window.Disk->SetDriveIndex(DiskUtils::DriveLetterToIndex('D'));
    window.FormShow();
    window.FormShow();
    EXPECT_EQ(fake->countsFor('D').volume, 2);
    EXPECT_EQ(fake->countsFor('D').space, 0);
    EXPECT_EQ(fake->countsFor('D').type, 0);
    EXPECT_EQ(window.Label13->text(), "Local drive [ 3 ] [ 7 ]");
    EXPECT_EQ(window.Label9->text(), "DATA [D:]");
}

TEST_F(InfosFormTest, typeCodes_pickTheirIconOrKeepThePreviousOne) {
    const struct {
        std::uint32_t type;
        std::size_t expectedIcon;
    } cases[] = {{1, 0}, {2, 1}, {3, 2}, {4, 3}, {5, 4}, {6, 5}, {0, 5}, {7, 5}, {0xFFFFFFFF, 5}};
    char letter = 'E';
    for (const auto& c : cases) {
        fake->drive(letter) = fake->drive('D');
        fake->drive(letter).type = c.type;
        Fill(letter);
        EXPECT_EQ(PictureOf(window.Image1), PictureOf(window.IconStore[c.expectedIcon]))
            << "type " << c.type;
        ++letter;
    }
}

// The icons are decoded at the first fill, not at creation, which queries no drive either.
TEST_F(InfosFormTest, creationQueriesNoDrive_firstFillHasSixDistinctIcons) {
    EXPECT_EQ(fake->counts().space + fake->counts().volume + fake->counts().type, 0);
    EXPECT_TRUE(window.Image1->pixmap().isNull());
    EXPECT_EQ(window.Label4->text(), "0 Bytes");
    EXPECT_EQ(window.Label13->text(), "Unknow");
    Fill('D');
    for (std::size_t i = 0; i < window.IconStore.size(); ++i) {
        const QImage icon = PictureOf(window.IconStore[i]);
        EXPECT_EQ(icon.size(), QSize(32, 32)) << i;
        EXPECT_EQ(window.IconStore[i]->objectName(), QStringLiteral("IDT%1").arg(i + 1));
        if (i > 0) {
            EXPECT_NE(icon, PictureOf(window.IconStore[i - 1])) << i;
        }
    }
}

TEST_F(InfosFormTest, fillWithoutProbe_leavesDesignTexts) {
    TFrmDiskInfo fresh(nullptr);
    fresh.FormShow();
    window.FormDestroy();
    window.FormShow();
    EXPECT_EQ(fresh.Label9->text(), "(unnamed drive)");
    EXPECT_EQ(window.Label9->text(), "(unnamed drive)");
}

TEST_F(InfosFormTest, showing_centresOnceThenKeepsThePlaceAndRefillsInPlace) {
    QWidget mainWindow;
    mainWindow.setGeometry(200, 150, 400, 500);
    TFrmDiskInfo info(&mainWindow);
    info.FormCreate();
    info.Disk->SetDriveIndex(DiskUtils::DriveLetterToIndex('D'));
    mainWindow.show();
    info.show();
    EXPECT_EQ(info.Label9->text(), "DATA [D:]");
    EXPECT_LE(
        (info.frameGeometry().center() - mainWindow.frameGeometry().center()).manhattanLength(), 2);

    info.move(30, 40);
    info.Disk->SetDriveIndex(DiskUtils::DriveLetterToIndex('Q'));
    info.FormShow();
    EXPECT_EQ(info.Label9->text(), "(Неназваний диск) [Q:]");
    EXPECT_EQ(info.pos(), QPoint(30, 40));

    info.close();
    EXPECT_FALSE(info.isVisible());
    info.show();
    EXPECT_EQ(info.pos(), QPoint(30, 40));
    EXPECT_EQ(info.size(), QSize(366, 185));
}

}  // namespace
