#include <gtest/gtest.h>

#include <atomic>
#include <mutex>

#include "FakeLayer.h"
#include "Fonts.h"
#include "HistoryStore.h"
#include "MainForm.h"
#include "Poll.h"
#include "QtAppEnvironment.h"
#include "Recorder.h"
#include "SnapshotSource.h"
#include "SpaceForm.h"
#include "TempDir.h"

namespace {

constexpr std::int64_t kT0 = 1'780'000'000;

std::size_t SampleCount(const std::string& path, char letter) {
    auto opened = history::Store::Open(path, false);
    auto* store = std::get_if<std::unique_ptr<history::Store>>(&opened);
    if (!store) return 0;
    const std::string point = std::string("/mnt/") + letter;
    auto samples = (*store)->Samples({0x1234, point}, 0);
    auto* list = std::get_if<std::vector<history::Sample>>(&samples);
    return list ? list->size() : 0;
}

// The file is held locked by another writer while the repaint timer fires: the timer returns
// at once, and the sample lands once the lock is gone. Ten minutes later comes the next one.
TEST(MainFormHistoryTest, lockedHistory_neitherHoldsTheTimerNorLosesTheSample) {
    SetUpFonts();
    DiskUtils::ResetOptionState();
    platform::ScopedFakeLayer fake;
    for (char letter : {'C', 'D'}) {
        auto& drive = fake->drive(letter);
        drive.totalBytes = 2'000'000'000;
        drive.freeBytes = 500'000'000;
        drive.volume.serialNumber = 0x1234;
        drive.mountPoint = std::string("/mnt/") + letter;
    }
    TempDir folder("vollmark-window-history");
    const std::string path = (folder / "history.sqlite").string();
    ASSERT_TRUE(
        std::holds_alternative<std::unique_ptr<history::Store>>(history::Store::Open(path, true)));
    history::sql::Connection holder;
    ASSERT_FALSE(history::sql::Connection::Open(path, false, holder));
    ASSERT_FALSE(holder.Execute("BEGIN EXCLUSIVE"));

    std::atomic<std::int64_t> now = kT0;
    std::mutex errorsLock;
    std::vector<std::string> errors;
    history::StoreOptions options;
    options.busyTimeout = std::chrono::seconds(60);
    history::BackgroundRecorder recorder(
        path, options, std::chrono::minutes(10), [&] { return now.load(); },
        [&](const std::string& message) {
            const std::lock_guard lock(errorsLock);
            errors.push_back(message);
        });
    TFrmMain form;
    form.FormCreate();
    form.AttachHistory(&recorder, {}, [&] { return now.load(); });

    form.Timer1Timer();
    form.Timer1Timer();
    EXPECT_EQ(SampleCount(path, 'C'), 0u);
    ASSERT_FALSE(holder.Execute("COMMIT"));
    ASSERT_TRUE(PollUntil([&] { return SampleCount(path, 'D') == 1; }));

    now += 600;
    form.Timer1Timer();
    ASSERT_TRUE(PollUntil([&] { return SampleCount(path, 'C') == 2; }));
    EXPECT_EQ(SampleCount(path, 'D'), 2u);
    const std::lock_guard lock(errorsLock);
    EXPECT_TRUE(errors.empty()) << errors.front();
    form.FormDestroy();
    DiskUtils::ResetOptionState();
}

// The notices name a drive by its id: the space window opens on that drive as the last scan of
// the drives holds it, with its snapshot, and a drive that is gone opens nothing.
TEST(MainFormHistoryTest, spaceWindow_opensOnTheDriveOfAnIdAndNotOnAGoneOne) {
    SetUpFonts();
    DiskUtils::ResetOptionState();
    platform::ScopedFakeLayer fake;
    auto& drive = fake->drive('D');
    drive.totalBytes = 2'000'000'000;
    drive.freeBytes = 500'000'000;
    drive.volume.serialNumber = 0x1234;
    drive.mountPoint = "/mnt/D";
    TempDir folder("vollmark-window-space");
    const std::string path = (folder / "history.sqlite").string();
    history::Snapshot snapshot{
        kT0, "", {{0, "", false, 300, 300, 2}, {0, "data", false, 300, 300, 2}}, {}};
    ASSERT_FALSE(folderview::StoreSnapshotSource(path).record(
        {{0x1234, "/mnt/D"}, 'D', "", "ext4", 3, 2'000'000'000, 500'000'000}, snapshot, kT0));
    TFrmMain form;
    form.FormCreate();
    form.AttachHistory(nullptr, {}, [] { return kT0 + 60; });
    form.AttachSnapshots(folderview::StoreSnapshotSource(path));
    form.Timer1Timer();

    form.OpenSpaceWindow(QStringLiteral("00001234 /mnt/E"));
    EXPECT_EQ(form.findChild<TFrmSpace*>(), nullptr);
    form.OpenSpaceWindow(QStringLiteral("00001234 /mnt/D"));
    auto* space = form.findChild<TFrmSpace*>();
    ASSERT_NE(space, nullptr);
    EXPECT_TRUE(space->isVisible());
    EXPECT_EQ(space->windowTitle(), QStringLiteral("Що займає місце на D:"));
    EXPECT_FALSE(space->Scanning());
    ASSERT_EQ(space->ShownRows().size(), 1u);
    EXPECT_EQ(space->ShownRows()[0].name, "data");
    form.FormDestroy();
    DiskUtils::ResetOptionState();
}

}  // namespace
