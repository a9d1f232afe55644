#include "Win32Calls.h"

#include <windows.h>

namespace platform::win32 {
namespace {

using GetDiskFreeSpaceExAFunction = BOOL(WINAPI*)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER,
                                                  PULARGE_INTEGER);

// The one place where a Win32 failure becomes a value.
template <typename T>
std::optional<T> ifSucceeded(BOOL succeeded, T value) {
    if (!succeeded) return std::nullopt;
    return value;
}

// An empty root path stands for the current directory's drive, which Win32 takes as NULL.
LPCSTR rootOrNull(const std::string& rootPath) {
    return rootPath.empty() ? nullptr : rootPath.c_str();
}

LCTYPE localeType(NumberSetting setting) {
    return setting == NumberSetting::Thousands ? LOCALE_STHOUSAND : LOCALE_SDECIMAL;
}

std::optional<std::wstring> ansiToWide(std::string_view ansi) {
    const int length = static_cast<int>(ansi.size());
    const int needed = MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, nullptr, 0);
    if (needed <= 0) return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(needed), L'\0');
    const int written = MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, wide.data(), needed);
    return ifSucceeded(written == needed, std::move(wide));
}

std::optional<std::string> wideToUtf8(std::wstring_view wide) {
    const int length = static_cast<int>(wide.size());
    const int needed =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) return std::nullopt;
    std::string utf8(static_cast<std::size_t>(needed), '\0');
    const int written =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, utf8.data(), needed, nullptr, nullptr);
    return ifSucceeded(written == needed, std::move(utf8));
}

}  // namespace

std::optional<ProcAddress> findProcedure(const char* moduleName, const char* procedureName) {
    // GetProcAddress on a NULL module would search the executable instead.
    const HMODULE module = GetModuleHandleA(moduleName);
    if (!module) return std::nullopt;
    const FARPROC address = GetProcAddress(module, procedureName);
    return ifSucceeded(address != nullptr, reinterpret_cast<ProcAddress>(address));
}

std::optional<ByteCounts> diskFreeSpaceEx(ProcAddress getDiskFreeSpaceExA,
                                          const std::string& rootPath) {
    const auto call = reinterpret_cast<GetDiskFreeSpaceExAFunction>(getDiskFreeSpaceExA);
    ULARGE_INTEGER freeForCaller{}, total{}, freeOnVolume{};
    const BOOL ok = call(rootOrNull(rootPath), &freeForCaller, &total, &freeOnVolume);
    return ifSucceeded(ok, ByteCounts{total.QuadPart, freeForCaller.QuadPart});
}

std::optional<ClusterCounts> diskFreeSpace(const std::string& rootPath) {
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
    const BOOL ok = GetDiskFreeSpaceA(rootOrNull(rootPath), &sectorsPerCluster, &bytesPerSector,
                                      &freeClusters, &totalClusters);
    return ifSucceeded(
        ok, ClusterCounts{sectorsPerCluster, bytesPerSector, freeClusters, totalClusters});
}

std::optional<VolumeBuffers> volumeInformation(const std::string& rootPath) {
    VolumeBuffers out;
    DWORD serial = 0, maximumComponentLength = 0, flags = 0;
    const BOOL ok = GetVolumeInformationA(
        rootOrNull(rootPath), out.volumeName.data(), static_cast<DWORD>(out.volumeName.size()),
        &serial, &maximumComponentLength, &flags, out.fileSystemName.data(),
        static_cast<DWORD>(out.fileSystemName.size()));
    out.serialNumber = serial;
    out.maximumComponentLength = maximumComponentLength;
    out.fileSystemFlags = flags;
    return ifSucceeded(ok, out);
}

std::uint32_t driveType(const std::string& rootPath) {
    return GetDriveTypeA(rootOrNull(rootPath));
}

std::uint32_t threadLocale() {
    return GetThreadLocale();
}

std::optional<std::string> localeInfo(std::uint32_t locale, NumberSetting setting) {
    // Both settings hold at most four characters, eight bytes in a double-byte code page.
    std::array<char, 16> buffer{};
    const int written =
        GetLocaleInfoA(locale, localeType(setting), buffer.data(), static_cast<int>(buffer.size()));
    return ifSucceeded(written > 0, std::string(buffer.data()));
}

std::optional<std::string> ansiToUtf8(std::string_view ansi) {
    // Both conversions reject an empty input as an invalid parameter.
    if (ansi.empty()) return std::string();
    const auto wide = ansiToWide(ansi);
    if (!wide) return std::nullopt;
    return wideToUtf8(*wide);
}

}  // namespace platform::win32
