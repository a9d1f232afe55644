// Qt aborts (exit 134, "Reinstalling the application may fix this problem") when its platform
// plugin cannot reach a display. The check runs before the application object exists so that
// the user gets one line naming the problem and exit code 1 instead.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct DisplaySettings {
    std::string platform;  // -platform, else QT_QPA_PLATFORM; may list several, split at ';'
    std::string x11Display;
    std::string waylandDisplay;
    std::string runtimeDir;  // XDG_RUNTIME_DIR, where a relative WAYLAND_DISPLAY lives
    // Qt's Wayland platform plugin is a package of its own (qt6-wayland); without it Qt
    // aborts on a Wayland display just as on a missing one.
    bool waylandPlugin = true;
};

// Each probe connects and disconnects at once; it returns the reason of a refused
// connection, or nothing when the display answered.
struct DisplayProbes {
    std::function<std::optional<std::string>(const std::string& display)> x11;
    std::function<std::optional<std::string>(const std::string& socketPath)> wayland;
};

using EnvironmentLookup = std::function<std::optional<std::string>(const char* name)>;

DisplaySettings ReadDisplaySettings(const std::vector<std::string_view>& arguments,
                                    const EnvironmentLookup& environment);

// The one-line problem, or nothing when Qt can be left to open the display (also when the
// chosen platform plugin needs none, such as offscreen or vnc).
std::optional<std::string> DisplayProblem(const DisplaySettings& settings,
                                          const DisplayProbes& probes);

// Chooses the platform plugin where the user named none (ChosenPlatform, set in this
// process's QT_QPA_PLATFORM for Qt to read), then checks this process's arguments,
// environment and real display. Nothing where the platform always has a desktop.
std::optional<std::string> PrepareSystemDisplay(const std::vector<std::string_view>& arguments);
