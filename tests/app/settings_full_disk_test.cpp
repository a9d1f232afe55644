#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <QFile>
#include <QSettings>
#include <memory>
#include <optional>
#include <string>

#include "MountSandbox.h"
#include "UserSettings.h"

namespace {

class SettingsFullDiskTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        skipReason_ = MountSandbox::enterPrivateNamespace();
        if (skipReason_) return;
        sandbox_ = std::make_unique<MountSandbox>();
        if (!sandbox_->ready() || !sandbox_->mountTmpfs("config", "64k"))
            skipReason_ = "cannot mount a tmpfs";
    }
    static void TearDownTestSuite() { sandbox_.reset(); }
    void SetUp() override {
        if (skipReason_) SKIP_UNLESS_CI(*skipReason_);
    }

    // Unbuffered writes down to single bytes, so that not one byte of room is left.
    static void Fill(const std::string& path) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        const std::string block(4096, 'f');
        for (std::size_t size = block.size(); size > 0; size /= 2) {
            while (::write(fd, block.data(), size) == static_cast<ssize_t>(size)) {
            }
        }
        ::close(fd);
    }

    static inline std::optional<std::string> skipReason_;
    static inline std::unique_ptr<MountSandbox> sandbox_;
};

TEST_F(SettingsFullDiskTest, storeOnFullDisk_failsAndKeepsTheOldFile) {
    const QString path = QString::fromStdString(sandbox_->path("config/vollmark.ini"));
    const auto bytesOnDisk = [&] {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    SavedChoices choices;
    choices.divisors1024 = true;
    QSettings settings(path, QSettings::IniFormat);
    ASSERT_TRUE(StoreChoices(settings, choices));
    const QByteArray before = bytesOnDisk();
    ASSERT_TRUE(before.contains("divisor=1024"));
    Fill(sandbox_->path("config/filler"));

    choices.placement = SavedPlacement{QString(2000, QLatin1Char('s')), QPoint(1, 2)};
    EXPECT_FALSE(StoreChoices(settings, choices));
    EXPECT_EQ(bytesOnDisk(), before);

    ::unlink(sandbox_->path("config/filler").c_str());
    EXPECT_TRUE(StoreChoices(settings, choices)) << "one failed write must not fail the next";
    EXPECT_TRUE(bytesOnDisk().contains("left=1"));
}

// A damaged file leaves its reader with a format error for good; that must not pass a later
// failed write off as a success.
TEST_F(SettingsFullDiskTest, storeOverDamagedFileOnFullDisk_fails) {
    const std::string file = sandbox_->path("config/damaged.ini");
    const QString path = QString::fromStdString(file);
    {
        QFile damaged(path);
        ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
        damaged.write("[units\ndivisor=1024\n");
    }
    QSettings settings(path, QSettings::IniFormat);
    ASSERT_EQ(settings.status(), QSettings::FormatError);
    Fill(sandbox_->path("config/filler"));

    SavedChoices choices;
    choices.placement = SavedPlacement{QString(2000, QLatin1Char('s')), QPoint(1, 2)};
    EXPECT_FALSE(StoreChoices(settings, choices));
    ::unlink(sandbox_->path("config/filler").c_str());
    ::unlink(file.c_str());
}

}  // namespace
