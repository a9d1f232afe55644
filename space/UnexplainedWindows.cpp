#include <windows.h>

#include "Unexplained.h"

namespace space {
namespace {

std::wstring Wide(const std::string& text) {
    const int size =
        ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                          size);
    return wide;
}

}  // namespace

// What a disk quota withholds from this user stands where POSIX has the super-user's
// reserve: free on the drive, not free for the user.
std::optional<FileSystemFigures> FiguresOf(const std::string& root) {
    ULARGE_INTEGER forCaller{}, total{}, free{};
    if (!::GetDiskFreeSpaceExW(Wide(root).c_str(), &forCaller, &total, &free)) return std::nullopt;
    const std::uint64_t available = forCaller.QuadPart;
    return FileSystemFigures{total.QuadPart > available ? total.QuadPart - available : 0,
                             free.QuadPart > available ? free.QuadPart - available : 0};
}

// No interface names the files deleted while open: with the old semantics they keep their
// names until the last handle closes, so the scan counts them; with POSIX semantics their
// names go at once, and their space stays in the rest.
std::vector<DeletedOpenFile> DeletedOpenFilesOn(const std::string&) {
    return {};
}

}  // namespace space
