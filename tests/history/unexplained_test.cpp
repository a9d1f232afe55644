#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <fstream>

#include "TempDir.h"
#include "Unexplained.h"

namespace space {
namespace {

TEST(UnexplainedTest, procTexts_readOrRefused) {
    EXPECT_EQ(DeletedTarget("/var/log/a b.log (deleted)"), "/var/log/a b.log");
    EXPECT_EQ(DeletedTarget("/x (deleted) (deleted)"), "/x (deleted)");
    EXPECT_FALSE(DeletedTarget("/var/log/syslog"));
    EXPECT_FALSE(DeletedTarget("socket:[12345]"));
    EXPECT_FALSE(DeletedTarget("anon_inode:[eventfd] (deleted)"));
    EXPECT_EQ(MountIdIn("pos:\t0\nflags:\t0100002\nmnt_id:\t27\nino:\t9\n"), 27);
    EXPECT_EQ(MountIdIn("mnt_id: 5"), 5);
    EXPECT_FALSE(MountIdIn("pos:\t0\nflags:\t02\n"));
    EXPECT_FALSE(MountIdIn("mnt_id:\tx1\n"));
}

// What is neither scanned, reserved nor held open is the rest, largest open file first and
// empty ones left out; a scan that found more than the file system counts leaves a negative rest,
// not a wrapped one.
TEST(UnexplainedTest, account_namesTheDifference) {
    const Unexplained u = Account({10'000, 500}, 8'000,
                                  {{1, "a", "/a", 100}, {3, "c", "/c", 0}, {2, "b", "/b", 900}});
    EXPECT_EQ(u.usedBytes, 10'000u);
    EXPECT_EQ(u.scannedBytes, 8'000u);
    EXPECT_EQ(u.reservedBytes, 500u);
    ASSERT_EQ(u.deletedOpenFiles.size(), 2u);
    EXPECT_EQ(u.deletedOpenFiles[0].pid, 2);
    EXPECT_EQ(u.otherBytes, 500);
    EXPECT_EQ(Account({1'000, 0}, 1'200, {}).otherBytes, -200);
}

// A file this process holds open after deleting it is found with its pid, name, former path
// and blocks; once closed it is gone. On another file system it is not this drive's.
TEST(UnexplainedTest, deletedFileHeldOpen_foundUntilClosed) {
    TempDir folder("vollmark-unexplained");
    const std::string path = (folder / "held.log").string();
    std::ofstream(path, std::ios::binary) << std::string(1 << 20, 'x');
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::unlink(path.c_str()), 0);
    const auto found = DeletedOpenFilesOn(folder.path().string());
    std::optional<DeletedOpenFile> mine;
    for (const DeletedOpenFile& file : found)
        if (file.path == path) mine = file;
    ASSERT_TRUE(mine) << found.size() << " others";
    EXPECT_EQ(mine->pid, ::getpid());
    EXPECT_EQ(mine->process, std::string("unexplained_test").substr(0, 15));
    EXPECT_GE(mine->allocatedBytes, 1u << 20);
    if (::access("/proc/self/fd", R_OK) == 0 && ::access("/dev/shm", W_OK) == 0) {
        for (const DeletedOpenFile& file : DeletedOpenFilesOn("/dev/shm"))
            EXPECT_NE(file.path, path);
    }
    ::close(fd);
    for (const DeletedOpenFile& file : DeletedOpenFilesOn(folder.path().string()))
        EXPECT_NE(file.path, path);

    const auto figures = FiguresOf(folder.path().string());
    ASSERT_TRUE(figures);
    EXPECT_GT(figures->usedBytes, 0u);
    EXPECT_FALSE(FiguresOf((folder / "missing").string()));
}

}  // namespace
}  // namespace space
