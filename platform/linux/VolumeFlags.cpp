#include "VolumeFlags.h"

#include <sys/statvfs.h>

#include <algorithm>
#include <array>

#include "MountFilter.h"

namespace platform::linuxfs {
namespace {

// How a mount's properties map to the flag word:
//
//   Linux property                                      Win32 flag
//   --------------------------------------------------  ---------------------------------
//   names compare by their bytes (all but the FAT        FILE_CASE_SENSITIVE_SEARCH  0x1
//     family, exFAT, NTFS and SMB shares)
//   names keep the case they were written in (all but    FILE_CASE_PRESERVED_NAMES   0x2
//     msdos, which stores 8.3 names in upper case)
//   names stored as UTF-16 (FAT, exFAT, NTFS, UDF, SMB)  FILE_UNICODE_ON_DISK        0x4
//   a quota option (quota, usrquota, grpquota, prjquota, FILE_VOLUME_QUOTAS         0x20
//     usrjquota=, grpjquota=)
//   read-only mount or superblock (ST_RDONLY, "ro")      FILE_READ_ONLY_VOLUME   0x80000
//   hard links (all but the FAT family and exFAT)        FILE_SUPPORTS_HARD_LINKS 0x400000

bool storesUtf16Names(std::string_view fsType) {
    static constexpr std::array<std::string_view, 9> kTypes{
        "vfat", "msdos", "exfat", "ntfs", "ntfs3", "udf", "cifs", "smb3", "smbfs"};
    return std::find(kTypes.begin(), kTypes.end(), fsType) != kTypes.end();
}

bool lacksHardLinks(std::string_view fsType) {
    return fsType == "vfat" || fsType == "msdos" || fsType == "exfat";
}

bool hasQuotaOption(std::string_view options) {
    static constexpr std::array<std::string_view, 6> kOptions{"quota",    "usrquota",  "grpquota",
                                                              "prjquota", "usrjquota", "grpjquota"};
    for (auto option : kOptions)
        if (hasMountOption(options, option)) return true;
    return false;
}

}  // namespace

bool hasMountOption(std::string_view options, std::string_view option) {
    while (!options.empty()) {
        const std::size_t comma = options.find(',');
        const std::string_view entry = options.substr(0, comma);
        if (entry == option || (entry.starts_with(option) && entry.size() > option.size() &&
                                entry[option.size()] == '='))
            return true;
        if (comma == std::string_view::npos) break;
        options.remove_prefix(comma + 1);
    }
    return false;
}

std::uint32_t volumeFlags(std::string_view fsType, std::string_view mountOptions,
                          std::string_view superOptions, unsigned long statFlags) {
    std::uint32_t flags = 0;
    if (!isCaseInsensitiveFileSystem(fsType)) flags |= kFileCaseSensitiveSearch;
    if (fsType != "msdos") flags |= kFileCasePreservedNames;
    if (storesUtf16Names(fsType)) flags |= kFileUnicodeOnDisk;
    if (hasQuotaOption(mountOptions) || hasQuotaOption(superOptions)) flags |= kFileVolumeQuotas;
    const bool readOnly = (statFlags & ST_RDONLY) != 0 || hasMountOption(mountOptions, "ro") ||
                          hasMountOption(superOptions, "ro");
    if (readOnly) flags |= kFileReadOnlyVolume;
    if (!lacksHardLinks(fsType)) flags |= kFileSupportsHardLinks;
    return flags;
}

}  // namespace platform::linuxfs
