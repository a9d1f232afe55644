#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::linuxfs {

// One line of /proc/<pid>/mountinfo, with the kernel's octal escapes (\040 for a space, \011,
// \012, \134) decoded in the path and source fields.
struct MountRecord {
    int mountId = 0;
    int parentId = 0;
    unsigned major = 0;
    unsigned minor = 0;
    std::string root;
    std::string mountPoint;
    std::string mountOptions;
    std::vector<std::string> optionalFields;
    std::string fsType;
    std::string source;
    std::string superOptions;
};

std::string decodeMountEscapes(std::string_view field);

// nullopt for a line that does not have the kernel's shape.
std::optional<MountRecord> parseMountInfoLine(std::string_view line);

// Broken lines are skipped; the rest keep the table's order.
std::vector<MountRecord> parseMountInfo(std::string_view text);

}  // namespace platform::linuxfs
