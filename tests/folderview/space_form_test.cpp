#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <chrono>
#include <fstream>
#include <thread>

#include "HistoryStore.h"
#include "OwnerDrawList.h"
#include "QtAppEnvironment.h"
#include "SnapshotSource.h"
#include "SpaceForm.h"
#include "TempDir.h"

namespace {

constexpr std::int64_t kNow = 1'790'000'000;
constexpr std::int64_t kDay = 86400;

// var/log grew by 400 bytes in the week before the newest snapshot.
history::Snapshot Drive(std::int64_t time, std::uint64_t log) {
    history::Snapshot snapshot;
    snapshot.time = time;
    snapshot.folders = {{0, "", false, 900 + log, 0, 60}, {0, "var", false, 100 + log, 0, 30},
                        {1, "log", false, log, 0, 20},    {1, "", true, 100, 0, 10},
                        {0, "home", false, 600, 0, 20},   {4, "user", false, 600, 0, 20},
                        {0, "", true, 200, 0, 10}};
    snapshot.biggestFiles = {{"var/log/syslog", 250, 250}, {"home/user/disk.img", 500, 500}};
    return snapshot;
}

class SpaceFormTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder.ready()); }

    std::string HistoryFile() const { return (folder / "history.sqlite").string(); }

    void Record(const history::Snapshot& snapshot) {
        auto opened = history::Store::Open(HistoryFile(), true);
        auto& store = std::get<std::unique_ptr<history::Store>>(opened);
        ASSERT_FALSE(store->RecordSnapshot(drive, snapshot, snapshot.time));
    }

    std::size_t Recorded() {
        return folderview::StoreSnapshotSource(HistoryFile()).list(drive.key)->size();
    }

    std::unique_ptr<TFrmSpace> Form() {
        return std::make_unique<TFrmSpace>(
            nullptr, folderview::StoreSnapshotSource(HistoryFile()), [] { return kNow; },
            DiskUtils::DisplayOptions{DiskUtils::suByte});
    }

    static void Key(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent event(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(target, &event);
    }

    // The scan runs on its own thread; the window learns of its end at its next poll.
    static void WaitForScan(TFrmSpace& form) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (form.Scanning() && std::chrono::steady_clock::now() < deadline) {
            QApplication::processEvents();
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        ASSERT_FALSE(form.Scanning());
    }

    // `folders` folders of a few files each under `root`.
    static void Tree(const std::filesystem::path& root, int folders) {
        for (int i = 0; i < folders; ++i) {
            const auto at = root / ("d" + std::to_string(i % 10)) / ("e" + std::to_string(i));
            std::filesystem::create_directories(at);
            std::ofstream(at / "data") << std::string(static_cast<std::size_t>(i % 7) * 5000, 'x');
        }
        std::ofstream(root / "d3" / "big") << std::string(200'000, 'y');
    }

    TempDir folder{"vollmark-space-form"};
    history::DriveSample drive{{0x1234, "/data"}, 'D', "DATA", "ext4", 3, 100'000, 50'000};
};

TEST_F(SpaceFormTest, newestSnapshot_showsAtOnceAndIsWalkedByKeys) {
    Record(Drive(kNow - 8 * kDay, 300));
    Record(Drive(kNow - 3600, 700));
    const auto form = Form();
    int shown = 0;
    QObject::connect(form.get(), &TFrmSpace::ShownChanged, [&] { ++shown; });
    form->ShowDrive(QStringLiteral("D: DATA"), drive);
    EXPECT_FALSE(form->Scanning());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Що займає місце на D: DATA"));
    EXPECT_EQ(form->AgeLabel->text(),
              QStringLiteral("Знімок 1 год тому, порівняно зі знімком 8 дн. тому"));
    EXPECT_EQ(form->PathLabel->text(), QStringLiteral("/data"));
    ASSERT_EQ(form->ShownRows().size(), 3u);
    EXPECT_EQ(form->AccessibleTextOf(0).Name, QStringLiteral("var"));
    EXPECT_EQ(form->AccessibleTextOf(0).Description,
              QStringLiteral("800 Octets, файлів: 30, зміна +400 Octets (+50 Octets за день)"));
    EXPECT_EQ(form->AccessibleTextOf(2).Name, QStringLiteral("Файли й дрібні теки"));
    EXPECT_EQ(form->Rows->AccessibleText(1).Name, QStringLiteral("home"));
    EXPECT_EQ(form->FilesList->topLevelItemCount(), 2);

    // Down selects the first row, Return goes into it; Alt+Up comes back onto it.
    Key(form->Rows, Qt::Key_Down);
    Key(form->Rows, Qt::Key_Return);
    EXPECT_EQ(form->ShownPath(), "var");
    EXPECT_EQ(form->PathLabel->text(), QStringLiteral("/data/var"));
    ASSERT_EQ(form->FilesList->topLevelItemCount(), 1);
    EXPECT_EQ(form->FilesList->topLevelItem(0)->text(1), QStringLiteral("log/syslog"));
    Key(form->Rows, Qt::Key_Return);  // var/log holds nothing the snapshot kept
    EXPECT_EQ(form->ShownPath(), "var");
    Key(form->Rows, Qt::Key_Up, Qt::AltModifier);
    EXPECT_EQ(form->ShownPath(), "");
    EXPECT_EQ(form->SelectedRow(), 0);
    // Then home, and Backspace back up onto it.
    Key(form->Rows, Qt::Key_Down);
    Key(form->Rows, Qt::Key_Return);
    EXPECT_EQ(form->ShownPath(), "home");
    Key(form->Rows, Qt::Key_Backspace);
    EXPECT_EQ(form->ShownPath(), "");
    EXPECT_EQ(form->SelectedRow(), 1);
    EXPECT_EQ(shown, 5);

    // A month back there is nothing older than the week-old snapshot: it is still the one.
    form->SinceBox->setCurrentIndex(2);
    EXPECT_TRUE(form->Compared());
    EXPECT_EQ(form->ShownRows()[0].changeBytes, 400);
}

// The drive's first scan: shown and recorded; a rescan that is cancelled keeps what is shown
// and records nothing, and neither the cancel nor closing the window waits for the scan.
TEST_F(SpaceFormTest, scan_recordsTheDriveAndACancelledOneRecordsNothing) {
    const auto root = folder / "drive";
    Tree(root, 3000);
    drive.key.mountPoint = root.string();
    auto form = Form();
    form->ShowDrive(QStringLiteral("D: DATA"), drive);
    ASSERT_TRUE(form->Scanning());
    EXPECT_TRUE(form->ScanPanel->isVisibleTo(form.get()));
    EXPECT_EQ(form->AgeLabel->text(), QStringLiteral("Знімків ще немає: диск сканується"));
    WaitForScan(*form);
    EXPECT_FALSE(form->ScanPanel->isVisibleTo(form.get()));
    EXPECT_EQ(Recorded(), 1u);
    // The folder's file system holds more than the tree: that is the row the others follow.
    const auto& rows = form->ShownRows();
    const auto d3 = std::find_if(rows.begin(), rows.end(), [](const auto& row) {
        return row.kind == folderview::RowKind::folder;
    });
    ASSERT_NE(d3, rows.end());
    EXPECT_EQ(d3->name, "d3");
    EXPECT_EQ(rows.size(), 11u + (d3 - rows.begin()));
    EXPECT_FALSE(form->Compared());
    EXPECT_EQ(form->AgeLabel->text(),
              QStringLiteral("Знімок щойно; раніших знімків для порівняння немає"));

    form->GoInto(static_cast<int>(d3 - rows.begin()));
    form->RescanButton->click();
    ASSERT_TRUE(form->Scanning());
    form->CancelButton->click();
    EXPECT_FALSE(form->Scanning());
    EXPECT_EQ(form->StatusLabel->text(), QStringLiteral("Сканування скасовано"));
    EXPECT_EQ(form->ShownPath(), "d3");
    // So does Escape, which closes the window only when no scan runs.
    form->Rescan();
    Key(form.get(), Qt::Key_Escape);
    EXPECT_FALSE(form->Scanning());
    // Closing the window cancels a scan the same way.
    form->Rescan();
    ASSERT_TRUE(form->Scanning());
    form->close();
    EXPECT_FALSE(form->Scanning());
    form.reset();
    EXPECT_EQ(Recorded(), 1u);
}

}  // namespace
