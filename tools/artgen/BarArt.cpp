#include <QPainter>
#include <QPainterPath>
#include <algorithm>

#include "Art.h"

namespace {

struct BarPalette {
    QColor edge, light, body, deep;
};

BarPalette palette(bool green) {
    if (green)
        return {QColor(52, 120, 36), QColor(214, 248, 190), QColor(126, 204, 92),
                QColor(84, 168, 56)};
    return {QColor(150, 40, 28), QColor(255, 204, 190), QColor(236, 104, 80), QColor(196, 62, 44)};
}

QColor mix(const QColor& a, const QColor& b, double t) {
    return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t,
                            a.greenF() + (b.greenF() - a.greenF()) * t,
                            a.blueF() + (b.blueF() - a.blueF()) * t);
}

// Coverage of a rounded outline, rendered by QPainter's antialiasing into an alpha mask.
QImage coverage(const QRectF& rect, double radius, int scale) {
    QImage mask = Canvas(kCapWidth * scale, kBarHeight * scale);
    QPainter p(&mask);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRoundedRect(rect, radius, radius);
    return mask;
}

// Device row `y` of a bar drawn `scale` times finer: the one-pixel edges keep their colour
// over `scale` rows, and the shading between them runs smoothly instead of in steps.
QColor scaledShade(bool green, int y, int scale) {
    if (scale == 1) return BarShade(green, y);
    const int row = y / scale;
    if (row == 0 || row == kBarHeight - 1) return BarShade(green, row);
    const double at = std::clamp((y + 0.5) / scale - 0.5, 1.0, kBarHeight - 2.0);
    const int below = static_cast<int>(at);
    const int above = std::min(below + 1, kBarHeight - 2);
    return mix(BarShade(green, below), BarShade(green, above), at - below);
}

}  // namespace

QColor BarEdge(bool green) {
    return palette(green).edge;
}

QColor BarShade(bool green, int row) {
    const BarPalette c = palette(green);
    if (row == 0 || row == kBarHeight - 1) return c.edge;
    if (row <= 2) return mix(c.light, c.body, (row - 1) * 0.35);
    if (row <= 9) return mix(c.body, c.light, 0.25 * (9 - row) / 7.0);
    const double t = (row - 10) / double(kBarHeight - 12);
    return mix(c.body, c.deep, t);
}

QImage BarColumn(bool green, int scale) {
    QImage column(scale, kBarHeight * scale, QImage::Format_RGB32);
    for (int y = 0; y < column.height(); ++y)
        for (int x = 0; x < scale; ++x) column.setPixelColor(x, y, scaledShade(green, y, scale));
    return column;
}

QImage BarCap(bool leftGreen, int scale) {
    // The outline reaches well past the cap's open side so only the closed end is rounded.
    const QRectF outer = leftGreen ? QRectF(0, 0, 30, kBarHeight) : QRectF(-20, 0, 30, kBarHeight);
    const QRectF inner = outer.adjusted(1, 1, -1, -1);
    const QImage outerMask = coverage(outer, 8, scale);
    const QImage innerMask = coverage(inner, 7, scale);
    const QColor edge = BarEdge(leftGreen);
    QImage cap(kCapWidth * scale, kBarHeight * scale, QImage::Format_ARGB32);
    for (int y = 0; y < cap.height(); ++y) {
        for (int x = 0; x < cap.width(); ++x) {
            const double inside = qAlpha(innerMask.pixel(x, y)) / 255.0;
            QColor c = mix(edge, scaledShade(leftGreen, y, scale), inside);
            c.setAlpha(qAlpha(outerMask.pixel(x, y)));
            cap.setPixelColor(x, y, c);
        }
    }
    return cap;
}

QImage Canvas(int width, int height, QColor fill) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(fill);
    return image;
}
