#include "Unexplained.h"

#include <algorithm>
#include <charconv>

namespace space {

Unexplained Account(const FileSystemFigures& figures, std::uint64_t scannedBytes,
                    std::vector<DeletedOpenFile> deletedOpenFiles) {
    // An empty file held open (a shell's deleted here-document) takes no space to explain.
    std::erase_if(deletedOpenFiles,
                  [](const DeletedOpenFile& file) { return file.allocatedBytes == 0; });
    std::sort(deletedOpenFiles.begin(), deletedOpenFiles.end(),
              [](const DeletedOpenFile& a, const DeletedOpenFile& b) {
                  return a.allocatedBytes > b.allocatedBytes;
              });
    std::int64_t other = static_cast<std::int64_t>(figures.usedBytes) -
                         static_cast<std::int64_t>(scannedBytes) -
                         static_cast<std::int64_t>(figures.reservedBytes);
    for (const DeletedOpenFile& file : deletedOpenFiles)
        other -= static_cast<std::int64_t>(file.allocatedBytes);
    return {figures.usedBytes, scannedBytes, figures.reservedBytes, std::move(deletedOpenFiles),
            other};
}

std::optional<std::string> DeletedTarget(std::string_view link) {
    constexpr std::string_view kDeleted = " (deleted)";
    if (!link.starts_with('/') || !link.ends_with(kDeleted)) return std::nullopt;
    link.remove_suffix(kDeleted.size());
    return std::string(link);
}

std::optional<int> MountIdIn(std::string_view fdinfo) {
    constexpr std::string_view kKey = "mnt_id:";
    for (std::size_t start = 0; start < fdinfo.size();) {
        const std::size_t end = std::min(fdinfo.find('\n', start), fdinfo.size());
        std::string_view line = fdinfo.substr(start, end - start);
        start = end + 1;
        if (!line.starts_with(kKey)) continue;
        line.remove_prefix(kKey.size());
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
            line.remove_prefix(1);
        int id = 0;
        const auto [rest, error] = std::from_chars(line.data(), line.data() + line.size(), id);
        if (error != std::errc() || rest != line.data() + line.size()) return std::nullopt;
        return id;
    }
    return std::nullopt;
}

}  // namespace space
