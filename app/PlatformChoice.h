// Which Qt platform plugin the program asks for when the user named none.
#pragma once

#include <optional>
#include <string>

#include "DisplayCheck.h"

// The value for QT_QPA_PLATFORM, or nothing to leave Qt's own choice alone: the user's, or
// that of a machine with no display at all.
//
// With both an X and a Wayland display (Xwayland in a Wayland session) the window goes to X:
// there the window manager keeps it on top, puts it back where it was and lets it snap to the
// screen edges, none of which a Wayland compositor lets a window ask for. Qt 6.4 would pick
// Wayland whenever its Wayland plugin is installed. Wayland stays as the fallback for an X
// display that no longer answers.
std::optional<std::string> ChosenPlatform(const DisplaySettings& settings);
