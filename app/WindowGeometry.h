#pragma once

#include <QPoint>
#include <QRect>

// Where a window whose outer rectangle is `frame` goes when it snaps to the edges of
// `workArea`: each side within `distance` pixels of the matching edge moves onto it, the
// left and top edges winning over the right and bottom ones.
QPoint SnapToWorkArea(const QRect& frame, const QRect& workArea, int distance);

// The wheel's line increment: a tenth of nine tenths of the visible height, in whole pixels.
int WheelLineIncrement(int visibleHeight);

// The client height that shows a list `listHeight` pixels high in full at that device pixel
// ratio. Under a fractional ratio Qt gives the window manager size steps of the rounded ratio
// (2 device pixels at 150 %), so the height granted can fall a fraction of a pixel short of
// the one asked for and bring up a scroll bar for nothing; one pixel more absorbs that.
int ClientHeightShowing(int listHeight, double ratio);
