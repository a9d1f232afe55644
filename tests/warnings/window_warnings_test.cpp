#include <gtest/gtest.h>

#include <QHelpEvent>
#include <QTemporaryDir>
#include <QToolTip>

#include "DiskUtils.h"
#include "DriveWarnings.h"
#include "FakeLayer.h"
#include "Fonts.h"
#include "MainForm.h"
#include "OwnerDrawList.h"
#include "Poll.h"
#include "QtAppEnvironment.h"

namespace {

constexpr std::int64_t kNow = 1'780'000'000;
constexpr std::int64_t kGB = 1'000'000'000;
constexpr int kRowC = 2;

// The notices as the window hands them over; the D-Bus side is the end-to-end test's.
class TListNotifier : public TNotifier {
public:
    explicit TListNotifier(std::vector<Notice>& shown) : shown_(shown) {}
    void Show(const Notice& notice) override { shown_.push_back(notice); }

private:
    std::vector<Notice>& shown_;
};

// The whole road inside the program: the window scans its drives, the forecasts are worked
// out from a real history file on their thread, the rules decide against the memory the file
// keeps, the notice and the row's tooltip carry the forecast. Nothing is painted on the way.
class WindowWarningsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { SetUpFonts(); }
    void SetUp() override {
        DiskUtils::ResetOptionState();
        auto& drive = fake->AddDrive('C', 100 * kGB, 30 * kGB);
        drive.volume.volumeName = "SYSTEM";
        drive.volume.serialNumber = 0xC0FFEE;
        RecordFillingHistory();
        form.AttachWarnings(&warnings);
        form.FormCreate();
    }
    void TearDown() override {
        QToolTip::hideText();
        DiskUtils::ResetOptionState();
    }

    // 36 hours of C: losing 2 GB an hour down to 30 GB free now: full in 15 hours.
    void RecordFillingHistory() {
        auto opened = history::Store::Open(file, true);
        auto& store = std::get<std::unique_ptr<history::Store>>(opened);
        for (std::int64_t t = kNow - 36 * 3600; t <= kNow - 600; t += 600) {
            const std::int64_t free = 30 * kGB + (kNow - t) * 2 * kGB / 3600;
            ASSERT_FALSE(store->Record({{{0xC0FFEE, "C:\\"},
                                         'C',
                                         "SYSTEM",
                                         "NTFS",
                                         3,
                                         100 * kGB,
                                         std::min(free, 100 * kGB)}},
                                       t));
        }
    }

    static QString ToolTipOverC(TFrmMain& window) {
        const QPoint at(200, kRowC * kRowHeight + 10);
        QHelpEvent event(QEvent::ToolTip, at, window.ListBox1->mapToGlobal(at));
        QApplication::sendEvent(window.ListBox1, &event);
        return event.isAccepted() ? QToolTip::text() : QString();
    }

    platform::ScopedFakeLayer fake;
    QTemporaryDir dir;
    std::string file = dir.filePath(QStringLiteral("history.sqlite")).toStdString();
    std::vector<Notice> shown;
    TDriveWarnings warnings{[this] { return std::make_unique<TListNotifier>(shown); },
                            std::make_unique<THistoryForecasts>(file, warnings::WarningRules{}),
                            [] { return kNow; },
                            {}};
    TFrmMain form;
};

TEST_F(WindowWarningsTest, fillingDriveOfAnUnshownWindow_warnsOnceAndTheTooltipSaysIt) {
    ASSERT_TRUE(PollUntil([&] { return !shown.empty(); }));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].title, QStringLiteral("Диск C: SYSTEM швидко заповнюється"));
    EXPECT_EQ(shown[0].body,
              QStringLiteral("Вільно: 30,000.00 Mo.\nЗаповниться приблизно за 15 год."));
    EXPECT_EQ(shown[0].folder, QStringLiteral("C:\\"));
    EXPECT_EQ(ToolTipOverC(form), QStringLiteral("Заповниться приблизно за 15 год"));

    // A second window, as if started later, remembers through the file.
    std::vector<Notice> again;
    TDriveWarnings later{[&] { return std::make_unique<TListNotifier>(again); },
                         std::make_unique<THistoryForecasts>(file, warnings::WarningRules{}),
                         [] { return kNow + 60; },
                         {}};
    TFrmMain second;
    second.AttachWarnings(&later);
    second.FormCreate();
    // Its forecasts arrive with its decisions.
    ASSERT_TRUE(PollUntil([&] { return !ToolTipOverC(second).isEmpty(); }));
    EXPECT_EQ(shown.size(), 1u);
    EXPECT_TRUE(again.empty());
    second.FormDestroy();
}

}  // namespace
