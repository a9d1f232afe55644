#include <gtest/gtest.h>

#include <QLabel>

#include "DriveWatcher.h"
#include "FakeLayer.h"
#include "Fonts.h"
#include "InfosForm.h"
#include "MainForm.h"
#include "OwnerDrawList.h"
#include "Poll.h"
#include "QtAppEnvironment.h"

using namespace DiskUtils;

namespace {

class MainFormDrivesTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetUpFonts();
        ResetOptionState();
        AddDrive('C');
        AddDrive('D');
        form.FormCreate();
        form.WatchDrives(watcher);
    }
    void TearDown() override { ResetOptionState(); }

    void AddDrive(char letter) {
        auto& drive = fake->drive(letter);
        drive.totalBytes = 2'000'000'000;
        drive.freeBytes = 500'000'000;
    }
    bool Listed(char letter) const {
        const auto& entries = form.Model().Entries();
        return std::find(entries.begin(), entries.end(), std::string(1, letter)) != entries.end();
    }

    platform::ScopedFakeLayer fake;
    TFrmMain form;
    TDriveWatcher watcher;
};

// A dozen mounts in a row cost one rescan, and the window grows to show the new row.
TEST_F(MainFormDrivesTest, burstOfChanges_rescansOnceAndFitsTheWindowToTheRows) {
    form.show();
    fake->resetCounts();
    form.Rescan1Click();
    const int oneRescan = fake->countsFor('Z').space;
    ASSERT_GT(oneRescan, 0);
    const int rowsAtStart = form.ListBox1->height() / 54;
    EXPECT_EQ(form.height(), rowsAtStart * 54);

    AddDrive('E');
    fake->resetCounts();
    for (int i = 0; i < 12; ++i) emit watcher.DrivesChanged();
    ASSERT_TRUE(PollUntil([&] { return Listed('E'); }));
    EXPECT_EQ(fake->countsFor('Z').space, oneRescan);
    EXPECT_EQ(form.height(), (rowsAtStart + 1) * 54);

    fake->remove('E');
    emit watcher.DrivesChanged();
    ASSERT_TRUE(PollUntil([&] { return !Listed('E'); }));
    EXPECT_EQ(form.height(), rowsAtStart * 54);
}

TEST_F(MainFormDrivesTest, noChange_costsNoQuery) {
    fake->resetCounts();
    for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
    EXPECT_EQ(fake->counts().space, 0);
    EXPECT_EQ(fake->counts().volume, 0);
}

TEST_F(MainFormDrivesTest, driveGoneWhileItsInformationShows_isShownAbsent) {
    TFrmDiskInfo info(&form);
    info.FormCreate();
    form.AttachDiskInfo(&info);
    form.ListBox1->SetItemIndex(3);
    form.Driveinfos1Click();
    ASSERT_TRUE(info.isVisible());
    ASSERT_TRUE(info.Disk->Present);
    EXPECT_NE(info.Label4->text(), QStringLiteral("0 Octets"));

    fake->remove('D');
    emit watcher.DrivesChanged();
    ASSERT_TRUE(PollUntil([&] { return !Listed('D'); }));
    EXPECT_FALSE(info.Disk->Present);
    EXPECT_EQ(info.Label9->text(), QStringLiteral("(Неназваний диск) [D:]"));
    EXPECT_EQ(info.Label4->text(), QStringLiteral("0 Octets"));
    info.FormDestroy();
}

}  // namespace
