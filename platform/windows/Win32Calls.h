#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Thin wrappers, one Win32 call each, that keep <windows.h> out of every other file. A call
// that reports failure answers nullopt; what a failure means is the layer's business. An empty
// root path names the current directory's drive, as a NULL one does for Win32.
namespace platform::win32 {

inline constexpr std::size_t kVolumeNameBufferSize = 256;

struct ByteCounts {
    std::uint64_t total = 0;
    std::uint64_t freeForCaller = 0;
};

struct ClusterCounts {
    std::uint32_t sectorsPerCluster = 0;
    std::uint32_t bytesPerSector = 0;
    std::uint32_t freeClusters = 0;
    std::uint32_t totalClusters = 0;
};

using NameBuffer = std::array<char, kVolumeNameBufferSize>;

struct VolumeBuffers {
    NameBuffer volumeName{};
    NameBuffer fileSystemName{};
    std::uint32_t serialNumber = 0;
    std::uint32_t maximumComponentLength = 0;
    std::uint32_t fileSystemFlags = 0;
};

enum class NumberSetting { Thousands, Decimal };

// An exported routine's address with its type erased; only Win32Calls.cpp casts it back.
using ProcAddress = void (*)();

std::optional<ProcAddress> findProcedure(const char* moduleName, const char* procedureName);

// `getDiskFreeSpaceExA` must be the address of kernel32's GetDiskFreeSpaceExA.
std::optional<ByteCounts> diskFreeSpaceEx(ProcAddress getDiskFreeSpaceExA,
                                          const std::string& rootPath);
std::optional<ClusterCounts> diskFreeSpace(const std::string& rootPath);
std::optional<VolumeBuffers> volumeInformation(const std::string& rootPath);
std::uint32_t driveType(const std::string& rootPath);

std::uint32_t threadLocale();
// The setting in the ANSI code page, without its terminating NUL.
std::optional<std::string> localeInfo(std::uint32_t locale, NumberSetting setting);

// ANSI code page bytes to UTF-8, through UTF-16 as Windows offers no direct route.
std::optional<std::string> ansiToUtf8(std::string_view ansi);

}  // namespace platform::win32
