#include <fcntl.h>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <thread>

#include "ScanTree.h"
#include "TempDir.h"

namespace {

using scantest::BuildMixedTree;
using scantest::DuOf;
using scantest::FindCount;
using scantest::FolderAt;
using scantest::ScanOrFail;

constexpr int kWideEntries = 200000;

bool HasFile(const scan::ScanResult& result, const std::string& path) {
    return std::any_of(result.biggestFiles.begin(), result.biggestFiles.end(),
                       [&](const scan::File& f) { return f.path == path; });
}

TEST(Scan, mixedTree_matchesDuToTheByte) {
    TempDir dir("vollmark-scan");
    const std::string root = (dir / "tree").string();
    ASSERT_TRUE(std::filesystem::create_directory(root));
    ASSERT_TRUE(BuildMixedTree(root, (dir / "outside").string(), kWideEntries));
    const auto du = DuOf(root);
    ASSERT_TRUE(du);

    scan::ScanProgress progress;
    const scan::ScanResult result = ScanOrFail(root, &progress);
    ASSERT_FALSE(result.folders.empty());
    const scan::Totals& total = result.folders[0].total;
    EXPECT_EQ(total.allocatedBytes, du->allocated);
    EXPECT_EQ(total.apparentBytes, du->apparent);
    EXPECT_EQ(total.files, FindCount(root, "! -type d -printf '%i\\n' | sort -u"));
    EXPECT_EQ(total.folders, FindCount(root, "-mindepth 1 -type d -printf 'x\\n'"));
    EXPECT_EQ(result.unreadableFolders, 0u);
    EXPECT_FALSE(result.cancelled);
    EXPECT_EQ(result.root, std::filesystem::canonical(root).string());
    EXPECT_EQ(progress.Bytes(), total.allocatedBytes);
    EXPECT_GE(progress.Entries(), total.files + total.folders);

    const auto deep = FolderAt(result, "deep");
    const auto deepDu = DuOf(root + "/deep");
    ASSERT_TRUE(deep && deepDu);
    EXPECT_EQ(result.folders[*deep].total.allocatedBytes, deepDu->allocated);
    EXPECT_EQ(result.folders[*deep].total.folders, 25u);
    EXPECT_EQ(result.folders[*deep].total.files, 1u);
    const auto wide = FolderAt(result, "wide");
    ASSERT_TRUE(wide);
    EXPECT_EQ(result.folders[*wide].total.files, std::uint64_t(kWideEntries));

    ASSERT_FALSE(result.biggestFiles.empty());
    EXPECT_EQ(result.biggestFiles[0].path, "plain/c.bin");
    EXPECT_TRUE(HasFile(result,
                        "odd/\x01"
                        "dir\n/tab\there"));
    EXPECT_TRUE(HasFile(result, "odd/\xff\xfe stray"));
    EXPECT_EQ(std::count_if(result.biggestFiles.begin(), result.biggestFiles.end(),
                            [](const scan::File& f) { return f.apparentBytes == 100 * 1024; }),
              1);

    // The threads meet folders in any order; the result is the same every time.
    const scan::ScanResult again = ScanOrFail(root);
    ASSERT_EQ(again.folders.size(), result.folders.size());
    for (std::size_t i = 0; i < result.folders.size(); ++i) {
        EXPECT_EQ(again.folders[i].name, result.folders[i].name);
        EXPECT_EQ(again.folders[i].parent, result.folders[i].parent);
        EXPECT_LT(result.folders[i].parent, std::max<std::size_t>(i, 1));
    }

    // Cancelled while it lists "wide", it stops there with what it has.
    scan::ScanProgress stopping;
    scan::ScanResult partial;
    std::jthread scanning([&] { partial = ScanOrFail(root, &stopping); });
    while (stopping.Entries() < 1000) std::this_thread::yield();
    EXPECT_FALSE(stopping.Folder().empty());
    stopping.Cancel();
    scanning.join();
    EXPECT_TRUE(partial.cancelled);
    ASSERT_FALSE(partial.folders.empty());
    EXPECT_LT(partial.folders[0].total.files, total.files);
}

// Runs the scan in a child that has become `nobody`: allocated, apparent, unreadable folders.
std::optional<std::array<std::uint64_t, 3>> ScanAsNobody(const std::string& root) {
    int pipe[2];
    if (::pipe(pipe) != 0) return std::nullopt;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipe[0]);
        if (::setgroups(0, nullptr) != 0 || ::setresgid(65534, 65534, 65534) != 0 ||
            ::setresuid(65534, 65534, 65534) != 0)
            ::_exit(1);
        scan::ScanProgress progress;
        const auto scanned = scan::ScanFolder(root, {}, progress);
        const auto* result = std::get_if<scan::ScanResult>(&scanned);
        if (!result) ::_exit(1);
        const auto& t = result->folders[0].total;
        const std::string line = std::to_string(t.allocatedBytes) + " " +
                                 std::to_string(t.apparentBytes) + " " +
                                 std::to_string(result->unreadableFolders);
        ::_exit(::write(pipe[1], line.data(), line.size()) == ssize_t(line.size()) ? 0 : 1);
    }
    ::close(pipe[1]);
    char text[128] = {};
    const ssize_t got = ::read(pipe[0], text, sizeof text - 1);
    ::close(pipe[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    std::array<std::uint64_t, 3> figures{};
    if (got <= 0 || status != 0 ||
        std::sscanf(text, "%lu %lu %lu", &figures[0], &figures[1], &figures[2]) != 3)
        return std::nullopt;
    return figures;
}

TEST(Scan, ordinaryUser_countsUnreadableFoldersLikeDu) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to become another user";
    TempDir dir("vollmark-scan");
    std::filesystem::permissions(dir.path(), std::filesystem::perms(0755));
    const std::string root = (dir / "tree").string();
    namespace fs = std::filesystem;
    ASSERT_TRUE(fs::create_directories(root + "/closed/inner") &&
                fs::create_directories(root + "/listOnly/inner") &&
                fs::create_directories(root + "/open"));
    for (const char* folder : {"/closed", "/closed/inner", "/listOnly", "/open"}) {
        const int fd = ::open((root + folder).c_str(), O_RDONLY | O_DIRECTORY);
        ASSERT_GE(fd, 0);
        EXPECT_TRUE(scantest::WriteFileAt(fd, "data", 40000));
        ::close(fd);
    }
    fs::permissions(root, fs::perms(0755));
    fs::permissions(root + "/open", fs::perms(0755));
    fs::permissions(root + "/closed", fs::perms(0700));
    // Names can be read but nothing below can be sized.
    fs::permissions(root + "/listOnly", fs::perms(0744));

    const auto du = DuOf(root, "setpriv --reuid=65534 --regid=65534 --clear-groups ");
    const auto scanned = ScanAsNobody(root);
    ASSERT_TRUE(du && scanned);
    EXPECT_EQ((*scanned)[0], du->allocated);
    EXPECT_EQ((*scanned)[1], du->apparent);
    EXPECT_EQ((*scanned)[2], 2u);

    // As root the same tree is whole, and more.
    const scan::ScanResult whole = ScanOrFail(root);
    EXPECT_EQ(whole.unreadableFolders, 0u);
    EXPECT_GT(whole.folders[0].total.allocatedBytes, (*scanned)[0]);
}

TEST(Scan, fileOrMissingPath_isNotAFolder) {
    TempDir dir("vollmark-scan");
    const int fd = ::open(dir.path().c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_TRUE(scantest::WriteFileAt(fd, "file", 10));
    ::close(fd);
    for (const auto& path : {dir / "file", dir / "missing"}) {
        scan::ScanProgress progress;
        const auto scanned = scan::ScanFolder(path.string(), {}, progress);
        const auto* error = std::get_if<scan::ScanError>(&scanned);
        ASSERT_TRUE(error) << path;
        EXPECT_EQ(error->kind, scan::ScanError::Kind::notAFolder);
    }
}

}  // namespace
