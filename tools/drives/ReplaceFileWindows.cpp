#include <windows.h>

#include "ReplaceFile.h"
#include "TextEscapes.h"

namespace drives {
namespace {

std::string FolderOf(const std::string& path) {
    const auto separator = path.find_last_of("\\/:");
    if (separator == std::string::npos) return ".";
    return path.substr(0, separator + 1);
}

std::string SystemText(DWORD error) {
    char* text = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = length > 0 ? std::string(text, length) : "error " + std::to_string(error);
    LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' ||
                                message.back() == ' ' || message.back() == '.'))
        message.pop_back();
    return message;
}

std::string Failure(const std::string& path, DWORD error) {
    return "cannot write " + TableText(path) + ": " + SystemText(error);
}

bool Fill(HANDLE file, std::string_view contents) {
    while (!contents.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(contents.size(), 1 << 20));
        DWORD written = 0;
        if (!WriteFile(file, contents.data(), chunk, &written, nullptr) || written == 0)
            return false;
        contents.remove_prefix(written);
    }
    return FlushFileBuffers(file) != 0;
}

}  // namespace

// Paths are in the ANSI code page, as the tool's arguments arrive. MoveFileEx replaces the
// target in one step and refuses a folder in its way.
std::optional<std::string> ReplaceFile(const std::string& path, std::string_view contents) {
    if (path.empty() || path.back() == '\\' || path.back() == '/')
        return Failure(path, ERROR_DIRECTORY);
    char temporary[MAX_PATH];
    if (GetTempFileNameA(FolderOf(path).c_str(), "vmd", 0, temporary) == 0)
        return Failure(path, GetLastError());
    const HANDLE file =
        CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        DeleteFileA(temporary);
        return Failure(path, error);
    }
    bool done = Fill(file, contents);
    DWORD error = done ? 0 : GetLastError();
    CloseHandle(file);
    if (done &&
        !MoveFileExA(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        done = false;
        error = GetLastError();
    }
    if (done) return std::nullopt;
    DeleteFileA(temporary);
    return Failure(path, error);
}

}  // namespace drives
