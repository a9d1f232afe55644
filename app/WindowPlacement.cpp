#include "WindowPlacement.h"

#include <algorithm>

namespace {

// Enough of the top of the frame to grab the title bar by, on any window manager.
constexpr int kTitleBarHeight = 24;

}  // namespace

std::optional<QPoint> RestoredPosition(const SavedPlacement& placement,
                                       const std::vector<ScreenArea>& screens, QSize frameSize) {
    const auto screen = std::find_if(screens.begin(), screens.end(), [&](const ScreenArea& area) {
        return area.name == placement.screenName;
    });
    if (screen == screens.end()) return std::nullopt;
    const QPoint topLeft = screen->geometry.topLeft() + placement.offset;
    const QRect titleBar(topLeft,
                         QSize(frameSize.width(), std::min(frameSize.height(), kTitleBarHeight)));
    if (!screen->geometry.contains(titleBar)) return std::nullopt;
    return topLeft;
}
