#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <optional>
#include <vector>

// Where the main window was: its screen, and the top-left corner of its client area relative
// to that screen, so that it comes back on the same monitor when the monitors are rearranged.
struct SavedPlacement {
    QString screenName;
    QPoint offset;

    bool operator==(const SavedPlacement&) const = default;
};

struct ScreenArea {
    QString name;
    QRect geometry;
};

// The client area's top-left corner for a window of `clientSize` put back at `placement`:
// nullopt when its screen is gone or no longer holds the top of the window, which the user
// needs to grab to move it back.
std::optional<QPoint> RestoredPosition(const SavedPlacement& placement,
                                       const std::vector<ScreenArea>& screens, QSize clientSize);
