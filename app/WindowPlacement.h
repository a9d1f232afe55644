#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <optional>
#include <vector>

// Where the main window was: its screen, and its outer top-left corner relative to that
// screen, so that it comes back on the same monitor when the monitors are rearranged.
struct SavedPlacement {
    QString screenName;
    QPoint offset;

    bool operator==(const SavedPlacement&) const = default;
};

struct ScreenArea {
    QString name;
    QRect geometry;
};

// The outer top-left corner for a window of `frameSize` put back at `placement`: nullopt when
// its screen is gone or no longer holds the window's title bar, which the user needs to move
// the window back.
std::optional<QPoint> RestoredPosition(const SavedPlacement& placement,
                                       const std::vector<ScreenArea>& screens, QSize frameSize);
