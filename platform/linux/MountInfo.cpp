#include "MountInfo.h"

#include <charconv>
#include <cstddef>
#include <span>

#include "PosixIo.h"

namespace platform::linuxfs {
namespace {

// The columns of a mountinfo line (Documentation/filesystems/proc.rst):
//
//   36 35 98:0 /mnt1 /mnt/parent rw,noatime master:1 - ext3 /dev/root rw,errors=continue
//   (1)(2)(3)   (4)   (5)         (6)        (7)    (8) (9)   (10)     (11)
//
//   (1) mount ID  (2) parent ID  (3) major:minor  (4) root of the mount within its file system
//   (5) mount point  (6) per-mount options  (7) zero or more optional fields  (8) "-"
//   (9) file system type  (10) mount source  (11) per-superblock options
//
// Indices below count from 0 in the fields before and after the separator.
constexpr std::size_t kMountIdField = 0;
constexpr std::size_t kParentIdField = 1;
constexpr std::size_t kDeviceField = 2;
constexpr std::size_t kRootField = 3;
constexpr std::size_t kMountPointField = 4;
constexpr std::size_t kMountOptionsField = 5;
constexpr std::size_t kFirstOptionalField = 6;
constexpr std::size_t kFsTypeAfterSeparator = 0;
constexpr std::size_t kSourceAfterSeparator = 1;
constexpr std::size_t kSuperOptionsAfterSeparator = 2;
constexpr std::size_t kFieldsAfterSeparator = 3;
constexpr std::string_view kSeparator = "-";

// Fields are separated by exactly one space; an empty source shows as two spaces in a row.
std::vector<std::string_view> splitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    fields.reserve(16);  // eleven columns and a few optional fields: one allocation per line
    std::size_t start = 0;
    for (;;) {
        const std::size_t space = line.find(' ', start);
        fields.push_back(line.substr(start, space - start));
        if (space == std::string_view::npos) return fields;
        start = space + 1;
    }
}

bool parseDevice(std::string_view text, MountRecord& record) {
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos) return false;
    const auto major = posix::parseNumber<unsigned>(text.substr(0, colon));
    const auto minor = posix::parseNumber<unsigned>(text.substr(colon + 1));
    if (!major || !minor) return false;
    record.major = *major;
    record.minor = *minor;
    return true;
}

bool isOctalDigit(char c) {
    return c >= '0' && c <= '7';
}

}  // namespace

std::string decodeMountEscapes(std::string_view field) {
    std::string out;
    out.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        const bool escape = field[i] == '\\' && i + 3 < field.size() &&
                            isOctalDigit(field[i + 1]) && isOctalDigit(field[i + 2]) &&
                            isOctalDigit(field[i + 3]);
        if (!escape) {
            out.push_back(field[i]);
            continue;
        }
        const int code =
            (field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0');
        out.push_back(static_cast<char>(code & 0xFF));
        i += 3;
    }
    return out;
}

std::optional<MountRecord> parseMountInfoLine(std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const auto fields = splitFields(line);
    std::size_t separator = kFirstOptionalField;
    while (separator < fields.size() && fields[separator] != kSeparator) ++separator;
    if (separator >= fields.size() || fields.size() - separator - 1 < kFieldsAfterSeparator)
        return std::nullopt;

    MountRecord record;
    const auto mountId = posix::parseNumber<int>(fields[kMountIdField]);
    const auto parentId = posix::parseNumber<int>(fields[kParentIdField]);
    if (!mountId || !parentId || !parseDevice(fields[kDeviceField], record)) return std::nullopt;
    const auto after = std::span(fields).subspan(separator + 1);
    if (fields[kRootField].empty() || fields[kMountPointField].empty() ||
        after[kFsTypeAfterSeparator].empty())
        return std::nullopt;
    record.mountId = *mountId;
    record.parentId = *parentId;
    record.root = decodeMountEscapes(fields[kRootField]);
    record.mountPoint = decodeMountEscapes(fields[kMountPointField]);
    record.mountOptions = std::string(fields[kMountOptionsField]);
    for (std::size_t i = kFirstOptionalField; i < separator; ++i)
        record.optionalFields.emplace_back(fields[i]);
    record.fsType = decodeMountEscapes(after[kFsTypeAfterSeparator]);
    record.source = decodeMountEscapes(after[kSourceAfterSeparator]);
    record.superOptions = decodeMountEscapes(after[kSuperOptionsAfterSeparator]);
    // The kernel never writes these; a table that has them is not the kernel's, and the paths
    // would be looked up from the working directory or cut short at the NUL.
    if (record.mountPoint.front() != '/' || record.mountPoint.find('\0') != std::string::npos ||
        record.source.find('\0') != std::string::npos)
        return std::nullopt;
    return record;
}

std::vector<MountRecord> parseMountInfo(std::string_view text) {
    std::vector<MountRecord> records;
    while (!text.empty()) {
        const std::size_t newline = text.find('\n');
        const std::string_view line = text.substr(0, newline);
        if (auto record = parseMountInfoLine(line)) records.push_back(std::move(*record));
        if (newline == std::string_view::npos) break;
        text.remove_prefix(newline + 1);
    }
    return records;
}

}  // namespace platform::linuxfs
