#include "WindowPlacement.h"

#include <algorithm>

namespace {

// Enough of the top of the window to grab it by.
constexpr int kGrabHeight = 24;

}  // namespace

std::optional<QPoint> RestoredPosition(const SavedPlacement& placement,
                                       const std::vector<ScreenArea>& screens, QSize clientSize) {
    const auto screen = std::find_if(screens.begin(), screens.end(), [&](const ScreenArea& area) {
        return area.name == placement.screenName;
    });
    if (screen == screens.end()) return std::nullopt;
    const QPoint topLeft = screen->geometry.topLeft() + placement.offset;
    const QRect top(topLeft, QSize(clientSize.width(), std::min(clientSize.height(), kGrabHeight)));
    if (!screen->geometry.contains(top)) return std::nullopt;
    return topLeft;
}
