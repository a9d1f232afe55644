#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What a scan of one file system finds: plain records, shared by the scanner, the history's
// snapshots and the command line. Names are the bytes the file system gave (on Windows, UTF-8),
// not necessarily valid UTF-8 and possibly holding '\n'.
namespace scan {

struct Totals {
    std::uint64_t allocatedBytes = 0;  // blocks × 512 on POSIX; a hard-linked file counted once
    std::uint64_t apparentBytes = 0;
    std::uint64_t files = 0;    // everything that is not a folder
    std::uint64_t folders = 0;  // the folders below, not counting the folder itself
};

struct Folder {
    std::string name;          // empty for the scanned folder itself
    std::uint32_t parent = 0;  // index into ScanResult::folders; the root is its own parent
    Totals total;              // the folder itself and everything beneath it
    bool unreadable = false;   // could not be listed (whole or part); its size is what was seen
};

struct File {
    std::string path;  // relative to the scanned folder, '/'-separated
    std::uint64_t allocatedBytes = 0;
    std::uint64_t apparentBytes = 0;
};

struct ScanResult {
    std::string root;                // the scanned folder, absolute
    std::vector<Folder> folders;     // [0] is the root; a parent always comes before its children
    std::vector<File> biggestFiles;  // largest allocated first
    std::uint64_t unreadableFolders = 0;
    bool cancelled = false;  // stopped on request: the figures are partial
};

}  // namespace scan
