#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "Sqlite.h"

// Where the history lives; CMake picks the file for the operating system.
namespace history {

// Reads one environment variable; nullopt when unset. Tests hand in their own.
using Environment = std::function<std::optional<std::string>(const char* name)>;

// $XDG_STATE_HOME/vollmark/history.sqlite, ~/.local/state/... when that is unset or not
// absolute; %LOCALAPPDATA%\vollmark\history.sqlite on Windows. nullopt when neither the
// variable nor a home folder is known.
std::optional<std::string> DefaultHistoryFile(const Environment& environment);

// Makes the missing folders (0700) and an empty file (0600) for SQLite to fill; an existing
// file keeps its mode and contents.
std::optional<HistoryError> PrepareHistoryFile(const std::string& path);

// The system clock in Unix seconds, for programs; tests hand in their own clock.
std::int64_t SystemNow();

// The environment of this process.
std::optional<std::string> ProcessEnvironment(const char* name);

}  // namespace history
