#include "Encoders.h"

namespace {

int straight(int channel, int alpha) {
    return (channel * 255 + alpha / 2) / alpha;
}

QRgb straightPixel(QRgb p) {
    const int alpha = qAlpha(p);
    if (alpha == 255) return p;
    if (alpha == 0) return 0;
    return qRgba(straight(qRed(p), alpha), straight(qGreen(p), alpha), straight(qBlue(p), alpha),
                 alpha);
}

}  // namespace

QImage StraightAlpha(const QImage& image) {
    if (image.format() != QImage::Format_ARGB32_Premultiplied)
        return image.convertToFormat(QImage::Format_ARGB32);
    QImage out(image.size(), QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < image.width(); ++x) row[x] = straightPixel(in[x]);
    }
    return out;
}
