#pragma once

#include <QPoint>
#include <QRect>

// Where a window whose outer rectangle is `frame` goes when it snaps to the edges of
// `workArea`: each side within `distance` pixels of the matching edge moves onto it, the
// left and top edges winning over the right and bottom ones.
QPoint SnapToWorkArea(const QRect& frame, const QRect& workArea, int distance);

// The wheel's line increment: a tenth of nine tenths of the visible height, in whole pixels.
int WheelLineIncrement(int visibleHeight);
