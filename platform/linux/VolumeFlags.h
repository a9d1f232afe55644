#pragma once

#include <cstdint>
#include <string_view>

namespace platform::linuxfs {

inline constexpr std::uint32_t kFileCaseSensitiveSearch = 0x00000001;
inline constexpr std::uint32_t kFileCasePreservedNames = 0x00000002;
inline constexpr std::uint32_t kFileUnicodeOnDisk = 0x00000004;
inline constexpr std::uint32_t kFileVolumeQuotas = 0x00000020;
inline constexpr std::uint32_t kFileReadOnlyVolume = 0x00080000;
inline constexpr std::uint32_t kFileSupportsHardLinks = 0x00400000;

// True when a comma-separated option list holds `option` itself or `option=...`.
bool hasMountOption(std::string_view options, std::string_view option);

// The Win32 FILE_* flag word of a Linux mount, from its type, its per-mount and superblock
// options and statvfs's f_flag.
std::uint32_t volumeFlags(std::string_view fsType, std::string_view mountOptions,
                          std::string_view superOptions, unsigned long statFlags);

}  // namespace platform::linuxfs
