#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "Scanner.h"

// Builds test trees with *at calls, so they may go deeper than PATH_MAX, and measures them
// with the real du.
namespace scantest {

// Creates `name` in the open folder `folder` with `bytes` of data.
bool WriteFileAt(int folder, const std::string& name, std::size_t bytes);

// The tree of the exactness test below `root`: hard links (one to a name outside, `outside`),
// a sparse file, symbolic links, a FIFO, names with stray bytes and line feeds, a chain of
// folders past PATH_MAX ("deep") and a folder of `wideEntries` empty files ("wide").
bool BuildMixedTree(const std::string& root, const std::string& outside, int wideEntries);

struct DuFigures {
    std::uint64_t allocated = 0;  // du -sx -B1
    std::uint64_t apparent = 0;   // du -sbx
};
// `prefix` goes before du on the command line (e.g. "setpriv ... ").
std::optional<DuFigures> DuOf(const std::string& path, const std::string& prefix = "");

// Lines `find` prints for `expression` under `path` on its file system.
std::uint64_t FindCount(const std::string& path, const std::string& expression);

scan::ScanResult ScanOrFail(const std::string& path, scan::ScanProgress* progress = nullptr);

// Index of the folder at `relative` ('/'-separated) in `result`, if it was met.
std::optional<std::uint32_t> FolderAt(const scan::ScanResult& result, const std::string& relative);

}  // namespace scantest
