#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "MountSandbox.h"
#include "ScanTree.h"

namespace {

using scantest::FolderAt;

bool Write(const std::string& path, std::size_t bytes) {
    const int folder = ::open(std::filesystem::path(path).parent_path().c_str(), O_RDONLY);
    const bool ok =
        folder >= 0 && scantest::WriteFileAt(folder, std::filesystem::path(path).filename(), bytes);
    if (folder >= 0) ::close(folder);
    return ok;
}

struct ToolRun {
    int status = -1;
    std::string out;
};

ToolRun RunTool(const std::string& command) {
    ToolRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        run.out.append(buffer, got);
    run.status = pclose(pipe);
    return run;
}

// Mounts inside the scanned tree: a tmpfs, a tmpfs laid over a folder that has files of its
// own, and a FUSE mount whose daemon never answers.
TEST(ScanMounts, nestedMounts_areLeftOutWithoutBeingTouched) {
    if (const auto reason = MountSandbox::enterPrivateNamespace()) SKIP_UNLESS_CI(*reason);
    MountSandbox sandbox;
    if (!sandbox.ready()) SKIP_UNLESS_CI("cannot mount a tmpfs");
    std::filesystem::create_directories(sandbox.path("tree/dir"));
    std::filesystem::create_directories(sandbox.path("tree/covered"));
    std::filesystem::create_directories(sandbox.path("tree/dir/hung"));
    ASSERT_TRUE(Write(sandbox.path("tree/a"), 50000));
    ASSERT_TRUE(Write(sandbox.path("tree/dir/b"), 20000));
    ASSERT_TRUE(Write(sandbox.path("tree/covered/under"), 30000));
    ASSERT_TRUE(sandbox.mountTmpfs("tree/dir/inner", "8m"));
    ASSERT_TRUE(sandbox.mountTmpfs("tree/covered", "1m"));
    ASSERT_TRUE(Write(sandbox.path("tree/dir/inner/big"), 1 << 20));
    const std::string root = sandbox.path("tree");
    // du itself would wait forever on the hung mount, so it measures before that one comes,
    // when "dir/hung" is still an empty folder of this file system.
    const auto du = scantest::DuOf(root);
    ASSERT_TRUE(du);
    const scan::ScanResult before = scantest::ScanOrFail(root);
    ASSERT_FALSE(before.folders.empty());
    EXPECT_EQ(before.folders[0].total.allocatedBytes, du->allocated);
    EXPECT_EQ(before.folders[0].total.apparentBytes, du->apparent);
    const auto emptyFolder = FolderAt(before, "dir/hung");
    ASSERT_TRUE(emptyFolder);
    const scan::Totals hungFolder = before.folders[*emptyFolder].total;
    if (!sandbox.mountHungFuse("tree/dir/hung", HUNG_FUSE_DAEMON))
        SKIP_UNLESS_CI("cannot mount a FUSE file system");

    const scan::ScanResult result = scantest::ScanOrFail(root);
    ASSERT_FALSE(result.folders.empty());
    EXPECT_EQ(result.folders[0].total.allocatedBytes, du->allocated - hungFolder.allocatedBytes);
    EXPECT_EQ(result.folders[0].total.apparentBytes, du->apparent - hungFolder.apparentBytes);
    EXPECT_EQ(result.unreadableFolders, 0u);
    EXPECT_TRUE(FolderAt(result, "dir"));
    for (const char* mount : {"dir/inner", "dir/hung", "covered"})
        EXPECT_FALSE(FolderAt(result, mount)) << mount;
    EXPECT_EQ(sandbox.fuseRequestsWaiting("tree/dir/hung").value_or(0), 0);

    // The tool, asked for the hung mount itself, says so and prints nothing.
    const std::string runtime = sandbox.path("runtime");
    std::filesystem::create_directories(runtime);
    const ToolRun run = RunTool("XDG_RUNTIME_DIR='" + runtime + "' '" VOLLMARK_DRIVES "' --scan '" +
                                sandbox.path("tree/dir/hung") + "' 2>/dev/null");
    ASSERT_TRUE(WIFEXITED(run.status));
    EXPECT_EQ(WEXITSTATUS(run.status), 1);
    EXPECT_EQ(run.out, "");
}

}  // namespace
