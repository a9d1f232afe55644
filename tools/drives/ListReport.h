#pragma once

#include <optional>
#include <string>

#include "Options.h"
#include "Report.h"

namespace drives {

// The main window's list after a rescan under the installed display state: its entries,
// the texts of its two summary rows and the caption the local row sets, as JSON members
// "entries", "local", "network" and "caption".
JsonMembers ListMembers();

// Renders the main window's list to a PNG file the way the window shows it after start-up
// followed by the given choices, without a display. An error text on failure, and always
// in builds without the windows.
std::optional<std::string> WriteListImage(const std::string& path, const Options& options);

}  // namespace drives
