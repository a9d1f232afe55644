#include "PlatformChoice.h"

std::optional<std::string> ChosenPlatform(const DisplaySettings& s) {
    if (!s.platform.empty()) return std::nullopt;
    const bool wayland = !s.waylandDisplay.empty() && s.waylandPlugin;
    if (!s.x11Display.empty()) return wayland ? "xcb;wayland" : "xcb";
    if (wayland) return "wayland";
    return std::nullopt;
}
