#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "Scanner.h"

namespace {

std::wstring Wide(const std::string& utf8) {
    const int needed = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
    std::wstring wide(std::size_t(needed), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), wide.data(), needed);
    return wide;
}

// Paths past MAX_PATH go through "\\?\".
std::wstring Long(const std::wstring& path) {
    return L"\\\\?\\" + path;
}

struct Made {
    std::uint64_t allocated = 0;  // as the file's own handle reports it
    std::uint64_t apparent = 0;
};

bool MakeFile(const std::wstring& path, std::size_t bytes, Made& made) {
    const HANDLE file = CreateFileW(Long(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                    CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const std::string data(bytes, 'x');
    DWORD written = 0;
    FILE_STANDARD_INFO info{};
    const bool ok = WriteFile(file, data.data(), DWORD(bytes), &written, nullptr) &&
                    written == bytes && FlushFileBuffers(file) &&
                    GetFileInformationByHandleEx(file, FileStandardInfo, &info, sizeof info);
    CloseHandle(file);
    made.allocated += std::uint64_t(info.AllocationSize.QuadPart);
    made.apparent += bytes;
    return ok;
}

bool MakeFolder(const std::wstring& path) {
    return CreateDirectoryW(Long(path).c_str(), nullptr) != 0;
}

// A folder's own size, once everything in it is made.
bool AddFolder(const std::wstring& path, Made& made) {
    const HANDLE folder =
        CreateFileW(Long(path).c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (folder == INVALID_HANDLE_VALUE) return false;
    FILE_STANDARD_INFO info{};
    const bool ok = GetFileInformationByHandleEx(folder, FileStandardInfo, &info, sizeof info);
    CloseHandle(folder);
    made.allocated += std::uint64_t(info.AllocationSize.QuadPart);
    made.apparent += std::uint64_t(info.EndOfFile.QuadPart);
    return ok;
}

class TempFolder {
public:
    TempFolder() {
        path_ = std::filesystem::temp_directory_path().wstring() + L"vollmark-scan-" +
                std::to_wstring(GetCurrentProcessId());
        std::filesystem::remove_all(Long(path_));
        ready_ = MakeFolder(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(Long(path_), ignored);
    }
    const std::wstring& path() const { return path_; }
    bool ready() const { return ready_; }

private:
    std::wstring path_;
    bool ready_ = false;
};

// Sizes come with the listing; each file's own handle must agree with them, and a chain of
// folders past MAX_PATH and names outside ASCII are summed like the rest.
TEST(ScanWindows, tree_sumsWhatEachFileReports) {
    TempFolder root;
    ASSERT_TRUE(root.ready());
    const std::wstring& top = root.path();
    Made made;
    const std::string odd = "\xc3\xbcn\xc3\xaf \xe2\x82\xac";  // "ünï €"
    ASSERT_TRUE(MakeFolder(top + L"\\sub") && MakeFolder(top + L"\\sub\\inner") &&
                MakeFolder(top + L"\\" + Wide(odd)));
    ASSERT_TRUE(MakeFile(top + L"\\a.bin", 5000, made) &&
                MakeFile(top + L"\\sub\\b.bin", 70000, made) &&
                MakeFile(top + L"\\sub\\inner\\c", 0, made) &&
                MakeFile(top + L"\\" + Wide(odd) + L"\\d", 1234, made));
    std::wstring deep = top;
    std::string deepRelative;
    for (int level = 0; level < 12; ++level) {
        const std::string name(40, char('a' + level));
        deep += L"\\" + Wide(name);
        deepRelative += (deepRelative.empty() ? "" : "/") + name;
        ASSERT_TRUE(MakeFolder(deep));
    }
    ASSERT_GT(deep.size(), std::size_t(MAX_PATH));
    ASSERT_TRUE(MakeFile(deep + L"\\bottom", 3000, made));
    for (const std::wstring& folder :
         {top, top + L"\\sub", top + L"\\sub\\inner", top + L"\\" + Wide(odd)})
        ASSERT_TRUE(AddFolder(folder, made));
    for (std::wstring at = deep; at.size() > top.size(); at.resize(at.rfind(L'\\')))
        ASSERT_TRUE(AddFolder(at, made));

    scan::ScanProgress progress;
    std::string utf8Top(top.size() * 3, '\0');
    utf8Top.resize(
        std::size_t(WideCharToMultiByte(CP_UTF8, 0, top.data(), int(top.size()), utf8Top.data(),
                                        int(utf8Top.size()), nullptr, nullptr)));
    const auto scanned = scan::ScanFolder(utf8Top, {}, progress);
    const auto* result = std::get_if<scan::ScanResult>(&scanned);
    ASSERT_TRUE(result) << std::get<scan::ScanError>(scanned).message;
    const scan::Totals& total = result->folders[0].total;
    EXPECT_EQ(total.files, 5u);
    EXPECT_EQ(total.folders, 3u + 12u);
    EXPECT_EQ(result->unreadableFolders, 0u);
    EXPECT_EQ(total.apparentBytes, made.apparent);
    EXPECT_EQ(total.allocatedBytes, made.allocated);
    ASSERT_EQ(result->biggestFiles.size(), 5u);
    EXPECT_EQ(result->biggestFiles[0].path, "sub/b.bin");
    EXPECT_EQ(result->biggestFiles[0].apparentBytes, 70000u);
    const auto has = [&](const std::string& path) {
        return std::any_of(result->biggestFiles.begin(), result->biggestFiles.end(),
                           [&](const scan::File& f) { return f.path == path; });
    };
    EXPECT_TRUE(has(odd + "/d"));
    EXPECT_TRUE(has(deepRelative + "/bottom"));
}

}  // namespace
