#include <gtest/gtest.h>

#include <QCoreApplication>
#include <memory>
#include <optional>
#include <string>

#include "DriveWatcher.h"
#include "MountSandbox.h"
#include "Poll.h"

namespace {

// Real mounts in a private namespace, entered before the application object starts any
// thread.
class DriveWatcherTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        skipReason_ = MountSandbox::enterPrivateNamespace();
        if (!skipReason_) {
            sandbox_ = std::make_unique<MountSandbox>();
            if (!sandbox_->ready()) skipReason_ = "cannot mount a tmpfs";
        }
        static int argc = 1;
        static char name[] = "drive_watcher_test";
        static char* argv[] = {name, nullptr};
        app_ = std::make_unique<QCoreApplication>(argc, argv);
    }
    static void TearDownTestSuite() {
        sandbox_.reset();
        app_.reset();
    }
    void SetUp() override {
        if (skipReason_) SKIP_UNLESS_CI(*skipReason_);
    }

    static void SettleEvents() {
        for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
    }

    static inline std::optional<std::string> skipReason_;
    static inline std::unique_ptr<MountSandbox> sandbox_;
    static inline std::unique_ptr<QCoreApplication> app_;
};

TEST_F(DriveWatcherTest, mountAndUnmount_eachReportedAndNothingElse) {
    const auto watcher = CreateSystemDriveWatcher();
    int changes = 0;
    QObject::connect(watcher.get(), &TDriveWatcher::DrivesChanged, [&] { ++changes; });
    SettleEvents();
    EXPECT_EQ(changes, 0);

    ASSERT_TRUE(sandbox_->mountTmpfs("arrives", "1m"));
    ASSERT_TRUE(PollUntil([&] { return changes > 0; }));
    // The notice is acknowledged by the poll that saw it; it must not fire again and again.
    const int afterMount = changes;
    SettleEvents();
    EXPECT_EQ(changes, afterMount);

    ASSERT_TRUE(sandbox_->unmount("arrives"));
    ASSERT_TRUE(PollUntil([&] { return changes > afterMount; }));
}

}  // namespace
