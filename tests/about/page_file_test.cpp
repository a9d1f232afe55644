#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <optional>
#include <stdexcept>
#include <string>

#include "MountSandbox.h"
#include "PageFile.h"

namespace {

const QByteArray kPage(1503, 'p');

class PageFileTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        skipReason_ = MountSandbox::enterPrivateNamespace();
        if (skipReason_) return;
        sandbox_ = std::make_unique<MountSandbox>();
        if (!sandbox_->ready() || !sandbox_->mountTmpfs("full", "64k")) {
            skipReason_ = "cannot mount a tmpfs";
            return;
        }
        Fill(sandbox_->path("full/filler"));
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
    static void TearDownTestSuite() { sandbox_.reset(); }
    void SetUp() override {
        if (skipReason_) SKIP_UNLESS_CI(*skipReason_);
    }

    static QString Full(const char* name) {
        return QString::fromStdString(sandbox_->path(std::string("full/") + name));
    }

    static inline std::optional<std::string> skipReason_;
    static inline std::unique_ptr<MountSandbox> sandbox_;
};

TEST_F(PageFileTest, writeOnFullDisk_failsAndLeavesNoFileBehind) {
    EXPECT_THROW(WritePageFileUnlessPresent(Full("ruzuvo.html"), kPage), std::runtime_error);
    EXPECT_EQ(QDir(Full("")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{QStringLiteral("filler")});
}

TEST_F(PageFileTest, writeWithRoom_leavesTheWholePage) {
    const QString path = QString::fromStdString(sandbox_->path("ruzuvo.html"));
    WritePageFileUnlessPresent(path, kPage);
    QFile written(path);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), kPage);
    QFile::remove(path);
}

}  // namespace
