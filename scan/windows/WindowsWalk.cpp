#include <windows.h>
#include <winternl.h>

#include <cstring>
#include <string_view>

#include "Walk.h"

namespace scan::walk {

struct FolderHandle {
    explicit FolderHandle(HANDLE handle) : handle(handle) {}
    FolderHandle(const FolderHandle&) = delete;
    FolderHandle& operator=(const FolderHandle&) = delete;
    ~FolderHandle() { CloseHandle(handle); }
    const HANDLE handle;
};

namespace {

// A listing call returns as many entries as fit; 64 KiB holds several hundred.
constexpr DWORD kListingBuffer = 64 * 1024;
constexpr ULONG kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr NTSTATUS kNameNotFound = static_cast<NTSTATUS>(0xC0000034);
constexpr NTSTATUS kPathNotFound = static_cast<NTSTATUS>(0xC000003A);
constexpr NTSTATUS kDeletePending = static_cast<NTSTATUS>(0xC0000056);
constexpr NTSTATUS kNotADirectory = static_cast<NTSTATUS>(0xC0000103);

std::wstring Wide(std::string_view utf8) {
    const int length = static_cast<int>(utf8.size());
    const int needed = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(needed > 0 ? needed : 0), L'\0');
    if (needed > 0) MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, wide.data(), needed);
    return wide;
}

std::string Utf8(std::wstring_view wide) {
    const int length = static_cast<int>(wide.size());
    const int needed =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(needed > 0 ? needed : 0), '\0');
    if (needed > 0)
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, utf8.data(), needed, nullptr, nullptr);
    return utf8;
}

std::string ErrorText(const std::string& path, const char* what) {
    return path + ": " + what + " (error " + std::to_string(GetLastError()) + ")";
}

// "\\?\" lifts the path-length limit of the calls that take a path.
std::wstring FullPath(const std::string& path) {
    const std::wstring wide = Wide(path);
    const DWORD needed = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return wide;
    std::wstring full(needed, L'\0');
    const DWORD written = GetFullPathNameW(wide.c_str(), needed, full.data(), nullptr);
    full.resize(written);
    return full;
}

std::uint64_t Value(const LARGE_INTEGER& value) {
    return static_cast<std::uint64_t>(value.QuadPart);
}

}  // namespace

std::variant<OpenedRoot, ScanError> OpenRoot(const std::string& path) {
    const std::wstring full = FullPath(path);
    const std::wstring prefixed = full.starts_with(L"\\\\") ? full : L"\\\\?\\" + full;
    const HANDLE handle =
        CreateFileW(prefixed.c_str(), FILE_LIST_DIRECTORY | SYNCHRONIZE, kShareAll, nullptr,
                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
                             error == ERROR_INVALID_NAME || error == ERROR_DIRECTORY;
        return ScanError{missing ? ScanError::Kind::notAFolder : ScanError::Kind::unreadable,
                         ErrorText(path, missing ? "not a folder" : "cannot open")};
    }
    auto opened = std::make_shared<FolderHandle>(handle);
    FILE_BASIC_INFO basic{};
    FILE_STANDARD_INFO standard{};
    if (!GetFileInformationByHandleEx(handle, FileBasicInfo, &basic, sizeof basic) ||
        !GetFileInformationByHandleEx(handle, FileStandardInfo, &standard, sizeof standard))
        return ScanError{ScanError::Kind::unreadable, ErrorText(path, "cannot size")};
    if (!(basic.FileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return ScanError{ScanError::Kind::notAFolder, path + ": not a folder"};
    OpenedRoot root;
    root.handle = std::move(opened);
    root.path = Utf8(full);
    root.allocatedBytes = Value(standard.AllocationSize);
    root.apparentBytes = Value(standard.EndOfFile);
    return root;
}

Handle OpenChild(const FolderHandle& parent, const Node& node, bool& vanished) {
    std::wstring name = Wide(node.name);
    UNICODE_STRING objectName{};
    objectName.Buffer = name.data();
    objectName.Length = static_cast<USHORT>(name.size() * sizeof(wchar_t));
    objectName.MaximumLength = objectName.Length;
    OBJECT_ATTRIBUTES attributes{};
    InitializeObjectAttributes(&attributes, &objectName, OBJ_CASE_INSENSITIVE, parent.handle,
                               nullptr);
    IO_STATUS_BLOCK status{};
    HANDLE handle = nullptr;
    // Opened by name relative to the parent's handle: no path is built, so depth has no limit.
    const NTSTATUS result = NtCreateFile(&handle, FILE_LIST_DIRECTORY | SYNCHRONIZE, &attributes,
                                         &status, nullptr, 0, kShareAll, FILE_OPEN,
                                         FILE_DIRECTORY_FILE | FILE_SYNCHRONOUS_IO_NONALERT |
                                             FILE_OPEN_FOR_BACKUP_INTENT | FILE_OPEN_REPARSE_POINT,
                                         nullptr, 0);
    if (result < 0) {
        vanished = result == kNameNotFound || result == kPathNotFound || result == kDeletePending ||
                   result == kNotADirectory;
        return nullptr;
    }
    return std::make_shared<FolderHandle>(handle);
}

void List(const FolderHandle& folder, Node& node, Sink& sink) {
    alignas(8) static thread_local char buffer[kListingBuffer];
    for (;;) {
        if (!GetFileInformationByHandleEx(folder.handle, FileIdBothDirectoryInfo, buffer,
                                          sizeof buffer)) {
            if (GetLastError() != ERROR_NO_MORE_FILES) node.unreadable = true;
            return;
        }
        std::uint64_t seen = 0;
        for (DWORD at = 0;;) {
            const auto* entry = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(buffer + at);
            const std::wstring_view name(entry->FileName, entry->FileNameLength / sizeof(wchar_t));
            const DWORD next = entry->NextEntryOffset;
            at += next;
            if (name != L"." && name != L"..") {
                ++seen;
                if (sink.Cancelled()) return;
                const bool folderEntry = entry->FileAttributes & FILE_ATTRIBUTE_DIRECTORY;
                const std::string utf8 = Utf8(name);
                // A junction, a folder link or a mounted volume is never followed.
                if (folderEntry && !(entry->FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                    sink.Folder(node, utf8, Value(entry->AllocationSize), Value(entry->EndOfFile));
                else if (!folderEntry)
                    sink.File(node, utf8, Value(entry->AllocationSize), Value(entry->EndOfFile),
                              nullptr);
            }
            if (next == 0) break;
        }
        sink.Seen(seen);
    }
}

}  // namespace scan::walk
