#pragma once

#include <optional>
#include <string>

#include "Options.h"

namespace drives {

// Writes the main window's list as PNG to `path`, used byte for byte, the way the window
// shows it after start-up followed by the given choices, without a display. An error text
// on failure; the file is then as it was before.
std::optional<std::string> WriteListImage(const std::string& path, const Options& options);

}  // namespace drives
