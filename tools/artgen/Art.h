// The drawings: each function paints one picture and returns it; main.cpp encodes and writes.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>

enum class RowKind { Local, Network, Drive };

inline constexpr int kRowWidth = 369;
inline constexpr int kRowHeight = 54;
inline constexpr int kBarHeight = 22;
inline constexpr int kCapWidth = 10;

// The bar colour of pixel row `row` (0 at the top) in the green or the red section; the caps
// take their body colour from here so that they meet the stretched columns without a seam.
QColor BarShade(bool green, int row);
QColor BarEdge(bool green);

// `scale` draws the same picture for a screen with that many device pixels per pixel: the
// row images come in 1x and 2x, and the program picks the 2x set on scaled screens.
QImage RowPanel(RowKind kind, bool selected, int scale = 1);
// The green left cap or the red right cap, with alpha.
QImage BarCap(bool leftGreen, int scale = 1);
QImage BarColumn(bool green, int scale = 1);

QImage DriveIcon(int typeCode);  // 1 to 6, the drive type codes
QImage DanceFrame(int index);    // 0 to 7, transparent around the figure
QImage AboutPicture();
QImage AboutBoxPicture();
QByteArray DancePage();

// A canvas cleared to transparent (or to `fill`) with an antialiasing painter ready for it.
QImage Canvas(int width, int height, QColor fill = Qt::transparent);
