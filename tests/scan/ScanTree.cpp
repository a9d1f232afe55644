#include "ScanTree.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string_view>
#include <vector>

namespace scantest {
namespace {

std::optional<std::uint64_t> ReadNumber(const std::string& command) {
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return std::nullopt;
    unsigned long long value = 0;
    const bool read = std::fscanf(pipe, "%llu", &value) == 1;
    pclose(pipe);
    if (!read) return std::nullopt;
    return value;
}

int OpenFolder(int at, const std::string& name) {
    return ::openat(at, name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

int MakeFolder(int at, const std::string& name) {
    if (::mkdirat(at, name.c_str(), 0755) != 0) return -1;
    return OpenFolder(at, name);
}

// "deep" and 25 folders of 200-byte names below: about 5,000 bytes of path.
bool BuildChain(int top) {
    int at = MakeFolder(top, "deep");
    for (int level = 0; level < 25 && at >= 0; ++level) {
        const int next = MakeFolder(at, std::string(199, 'd') + char('a' + level));
        ::close(at);
        at = next;
    }
    if (at < 0) return false;
    const bool written = WriteFileAt(at, "bottom", 3000);
    ::close(at);
    return written;
}

bool BuildWide(int top, int entries) {
    const int wide = MakeFolder(top, "wide");
    if (wide < 0) return false;
    bool ok = true;
    for (int i = 0; i < entries && ok; ++i) {
        const int fd =
            ::openat(wide, std::to_string(i).c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
        ok = fd >= 0;
        if (ok) ::close(fd);
    }
    ::close(wide);
    return ok;
}

bool BuildOddNames(int top) {
    const int odd = MakeFolder(top, "odd");
    if (odd < 0) return false;
    const int inner = MakeFolder(odd,
                                 "\x01"
                                 "dir\n");
    const bool ok = inner >= 0 && WriteFileAt(odd, "new\nline", 200 * 1024) &&
                    WriteFileAt(odd, "\xff\xfe stray", 300 * 1024) &&
                    WriteFileAt(inner, "tab\there", 250 * 1024);
    if (inner >= 0) ::close(inner);
    ::close(odd);
    return ok;
}

bool BuildLinksAndSparse(int top, const std::string& root, const std::string& outside) {
    const int plain = MakeFolder(top, "plain");
    const int links = MakeFolder(top, "links");
    const int sparse = MakeFolder(top, "sparse");
    bool ok = plain >= 0 && links >= 0 && sparse >= 0 && WriteFileAt(plain, "a.txt", 5000) &&
              WriteFileAt(plain, "empty", 0) && WriteFileAt(plain, "c.bin", 1 << 20) &&
              WriteFileAt(links, "h1", 100 * 1024) && ::linkat(links, "h1", links, "h2", 0) == 0 &&
              ::linkat(links, "h1", plain, "h3", 0) == 0 && WriteFileAt(links, "shared", 70000) &&
              ::link((root + "/links/shared").c_str(), outside.c_str()) == 0;
    if (ok) {
        const int fd = ::openat(sparse, "s", O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
        ok = fd >= 0 && ::ftruncate(fd, off_t(1) << 30) == 0 &&
             ::pwrite(fd, "data", 4, off_t(512) << 20) == 4;
        if (fd >= 0) ::close(fd);
    }
    ok = ok && ::symlinkat("../plain", top, "folder-link") == 0 &&
         ::symlinkat("nowhere", top, "dangling") == 0 && ::mkfifoat(top, "fifo", 0644) == 0;
    for (const int fd : {plain, links, sparse}) {
        if (fd >= 0) ::close(fd);
    }
    return ok;
}

}  // namespace

bool WriteFileAt(int folder, const std::string& name, std::size_t bytes) {
    const int fd = ::openat(folder, name.c_str(), O_CREAT | O_WRONLY | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    const std::vector<char> data(bytes, 'x');
    const bool ok = ::write(fd, data.data(), data.size()) == static_cast<ssize_t>(data.size());
    ::close(fd);
    return ok;
}

bool BuildMixedTree(const std::string& root, const std::string& outside, int wideEntries) {
    const int top = ::open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (top < 0) return false;
    const bool ok = BuildLinksAndSparse(top, root, outside) && BuildOddNames(top) &&
                    BuildChain(top) && BuildWide(top, wideEntries);
    ::close(top);
    return ok;
}

std::optional<DuFigures> DuOf(const std::string& path, const std::string& prefix) {
    const auto allocated = ReadNumber(prefix + "du -sx -B1 -- '" + path + "' 2>/dev/null");
    const auto apparent = ReadNumber(prefix + "du -sbx -- '" + path + "' 2>/dev/null");
    if (!allocated || !apparent) return std::nullopt;
    return DuFigures{*allocated, *apparent};
}

std::uint64_t FindCount(const std::string& path, const std::string& expression) {
    return ReadNumber("find '" + path + "' -xdev " + expression + " 2>/dev/null | wc -l")
        .value_or(0);
}

scan::ScanResult ScanOrFail(const std::string& path, scan::ScanProgress* progress) {
    scan::ScanProgress own;
    auto scanned = scan::ScanFolder(path, scan::ScanOptions{}, progress ? *progress : own);
    if (auto* error = std::get_if<scan::ScanError>(&scanned)) {
        ADD_FAILURE() << error->message;
        return {};
    }
    return std::get<scan::ScanResult>(std::move(scanned));
}

std::optional<std::uint32_t> FolderAt(const scan::ScanResult& result, const std::string& relative) {
    std::uint32_t at = 0;
    std::string_view rest = relative;
    while (!rest.empty()) {
        const auto slash = rest.find('/');
        const std::string_view name = rest.substr(0, slash);
        rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
        std::optional<std::uint32_t> found;
        for (std::uint32_t i = at + 1; i < result.folders.size() && !found; ++i) {
            if (result.folders[i].parent == at && result.folders[i].name == name) found = i;
        }
        if (!found) return std::nullopt;
        at = *found;
    }
    return at;
}

}  // namespace scantest
