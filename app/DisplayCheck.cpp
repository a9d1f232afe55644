#include "DisplayCheck.h"

#include <algorithm>

namespace {

// Qt also accepts its options with two dashes and reads "-platform name" or
// "-platform=name" alike.
std::optional<std::string> qtOption(const std::vector<std::string_view>& arguments,
                                    std::string_view name) {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string_view arg = arguments[i];
        if (arg.starts_with("--")) arg.remove_prefix(1);
        if (!arg.starts_with(name)) continue;
        const std::string_view rest = arg.substr(name.size());
        if (rest.empty() && i + 1 < arguments.size()) return std::string(arguments[i + 1]);
        if (rest.starts_with("=")) return std::string(rest.substr(1));
    }
    return std::nullopt;
}

std::vector<std::string> platformNames(const std::string& list) {
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t end = std::min(list.find(';', start), list.size());
        std::string name = list.substr(start, end - start);
        name = name.substr(0, name.find(':'));  // "xcb:option" carries plugin options
        if (!name.empty()) names.push_back(name);
        start = end + 1;
    }
    return names;
}

bool isWayland(const std::string& name) {
    return name.starts_with("wayland");
}

std::string waylandSocket(const DisplaySettings& s) {
    if (s.waylandDisplay.starts_with('/')) return s.waylandDisplay;
    return s.runtimeDir + "/" + s.waylandDisplay;
}

struct Wanted {
    bool x11 = false;
    bool wayland = false;
};

// Nothing when a listed plugin needs no display: Qt falls back to it, so it is not ours to
// refuse.
std::optional<Wanted> wantedDisplays(const DisplaySettings& s) {
    const std::vector<std::string> names = platformNames(s.platform);
    if (names.empty()) return Wanted{true, true};
    Wanted wanted;
    for (const std::string& name : names) {
        if (name == "xcb")
            wanted.x11 = true;
        else if (isWayland(name))
            wanted.wayland = true;
        else
            return std::nullopt;
    }
    return wanted;
}

std::string missingText(const Wanted& wanted, const DisplaySettings& s) {
    if (wanted.wayland && !s.waylandDisplay.empty() && !s.waylandPlugin) {
        const std::string plugin =
            "WAYLAND_DISPLAY needs Qt's Wayland platform plugin: install qt6-wayland";
        return wanted.x11 ? "no display: DISPLAY is not set, and " + plugin
                          : "no display: " + plugin;
    }
    if (wanted.x11 && wanted.wayland)
        return "no display: neither DISPLAY nor WAYLAND_DISPLAY is set";
    return wanted.x11 ? "no display: DISPLAY is not set" : "no display: WAYLAND_DISPLAY is not set";
}

}  // namespace

DisplaySettings ReadDisplaySettings(const std::vector<std::string_view>& arguments,
                                    const EnvironmentLookup& environment) {
    DisplaySettings s;
    s.platform =
        qtOption(arguments, "-platform").value_or(environment("QT_QPA_PLATFORM").value_or(""));
    s.x11Display = qtOption(arguments, "-display").value_or(environment("DISPLAY").value_or(""));
    s.waylandDisplay = environment("WAYLAND_DISPLAY").value_or("");
    s.runtimeDir = environment("XDG_RUNTIME_DIR").value_or("");
    return s;
}

std::optional<std::string> DisplayProblem(const DisplaySettings& s, const DisplayProbes& probes) {
    const std::optional<Wanted> wanted = wantedDisplays(s);
    if (!wanted) return std::nullopt;
    const bool tryX11 = wanted->x11 && !s.x11Display.empty();
    const bool tryWayland = wanted->wayland && !s.waylandDisplay.empty() && s.waylandPlugin;
    if (!tryX11 && !tryWayland) return missingText(*wanted, s);
    std::optional<std::string> refused;
    if (tryWayland) {
        refused = probes.wayland(waylandSocket(s));
        if (!refused) return std::nullopt;
        refused = "cannot connect to Wayland display " + s.waylandDisplay + ": " + *refused;
    }
    if (tryX11) {
        const std::optional<std::string> reason = probes.x11(s.x11Display);
        if (!reason) return std::nullopt;
        refused = "cannot open display " + s.x11Display + ": " + *reason;
    }
    return refused;
}
