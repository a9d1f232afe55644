#include "WindowGeometry.h"

#include <cmath>
#include <cstdlib>

namespace {

// One axis: the near edge first, then the far one.
int Snap(int start, int length, int areaStart, int areaEnd, int distance) {
    if (std::abs(start - areaStart) <= distance) return areaStart;
    if (std::abs(start + length - areaEnd) <= distance) return areaEnd - length;
    return start;
}

}  // namespace

QPoint SnapToWorkArea(const QRect& frame, const QRect& workArea, int distance) {
    // QRect::right() is the last pixel inside; the edges compared here lie one beyond.
    return {Snap(frame.left(), frame.width(), workArea.left(), workArea.left() + workArea.width(),
                 distance),
            Snap(frame.top(), frame.height(), workArea.top(), workArea.top() + workArea.height(),
                 distance)};
}

int WheelLineIncrement(int visibleHeight) {
    return (visibleHeight * 9 / 10) / 10;
}

int ClientHeightShowing(int listHeight, double ratio) {
    return std::floor(ratio) == ratio ? listHeight : listHeight + 1;
}
