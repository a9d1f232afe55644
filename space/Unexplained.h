#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The space of a drive that no folder explains: what the file system counts as used against
// what a scan of its root found, with the parts that can be named.
namespace space {

// A file that was deleted while a process still had it open: its blocks stay allocated until
// the last descriptor closes, and no folder lists it any more.
struct DeletedOpenFile {
    std::int64_t pid = 0;
    std::string process;  // the process's name as the system keeps it
    std::string path;     // where the file was before it was deleted
    std::uint64_t allocatedBytes = 0;
};

struct FileSystemFigures {
    std::uint64_t usedBytes = 0;      // size minus the space free for the user
    std::uint64_t reservedBytes = 0;  // free, but only for the super-user
};

struct Unexplained {
    std::uint64_t usedBytes = 0;
    std::uint64_t scannedBytes = 0;
    std::uint64_t reservedBytes = 0;
    std::vector<DeletedOpenFile> deletedOpenFiles;  // largest first
    // What is left: file-system overhead and unreadable folders. Negative when the scan
    // found more than the file system counts (files written during the scan, compression).
    std::int64_t otherBytes = 0;
};

// Platform part: the file system's figures for the drive whose root is `root`; nullopt when
// it does not answer.
std::optional<FileSystemFigures> FiguresOf(const std::string& root);

// Platform part: the deleted files still open on the file system of `root`, each counted
// once, from every process whose descriptors this user may read.
std::vector<DeletedOpenFile> DeletedOpenFilesOn(const std::string& root);

// Pure: the account of the difference.
Unexplained Account(const FileSystemFigures& figures, std::uint64_t scannedBytes,
                    std::vector<DeletedOpenFile> deletedOpenFiles);

// Pure parts of reading /proc, kept here so that they are tested everywhere.
// The former path in a descriptor's link text, "/var/log/x (deleted)"; nullopt for a file
// that was not deleted, or for anything but a file of a mounted file system.
std::optional<std::string> DeletedTarget(std::string_view link);
// The mount id in the text of /proc/<pid>/fdinfo/<fd>.
std::optional<int> MountIdIn(std::string_view fdinfo);

}  // namespace space
