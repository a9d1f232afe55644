// The application icon for the desktop's icon theme. The design is a short list of flat
// shapes so that the same list paints every PNG size and writes the scalable SVG: the two
// cannot drift apart.
#include <QPainter>
#include <QString>
#include <vector>

#include "AppIcon.h"
#include "Art.h"

namespace {

constexpr double kDesign = 256;

struct Stop {
    double at;
    QColor color;
};

// A rounded rectangle (radius > 0), a plain rectangle or, with ellipse set, the ellipse in
// rect; filled top to bottom with the stops and outlined when strokeWidth > 0.
struct Shape {
    QRectF rect;
    double radius = 0;
    bool ellipse = false;
    std::vector<Stop> fill;
    QColor stroke;
    double strokeWidth = 0;
};

// A drive case with the list's coloured tab at its left edge and, in its sunken track, the
// usage bar in the list's green and red.
std::vector<Shape> design() {
    const QColor green = BarShade(true, 5), greenDeep = BarShade(true, kBarHeight - 2);
    const QColor red = BarShade(false, 5), redDeep = BarShade(false, kBarHeight - 2);
    return {
        {{14, 50, 228, 156},
         22,
         false,
         {{0, QColor(242, 244, 247)}, {0.55, QColor(204, 209, 217)}, {1, QColor(150, 157, 170)}},
         QColor(52, 56, 64),
         8},
        {{30, 66, 22, 124},
         9,
         false,
         {{0, QColor(255, 178, 76)}, {1, QColor(222, 118, 20)}},
         QColor(150, 78, 12),
         3},
        {{66, 96, 160, 52},
         12,
         false,
         {{0, QColor(30, 33, 38)}, {1, QColor(70, 76, 86)}},
         QColor(28, 30, 34),
         3},
        {{74, 104, 96, 36}, 8, false, {{0, green.lighter(125)}, {1, greenDeep}}, BarEdge(true), 2},
        {{170, 104, 48, 36}, 8, false, {{0, red.lighter(115)}, {1, redDeep}}, BarEdge(false), 2},
        {{196, 164, 22, 22},
         0,
         true,
         {{0, QColor(170, 250, 150)}, {1, QColor(50, 170, 40)}},
         QColor(30, 100, 24),
         3},
    };
}

QBrush brushFor(const Shape& shape) {
    QLinearGradient gradient(0, shape.rect.top(), 0, shape.rect.bottom());
    for (const Stop& stop : shape.fill) gradient.setColorAt(stop.at, stop.color);
    return gradient;
}

void paintShape(QPainter& p, const Shape& shape) {
    p.setPen(shape.strokeWidth > 0 ? QPen(shape.stroke, shape.strokeWidth) : QPen(Qt::NoPen));
    p.setBrush(brushFor(shape));
    if (shape.ellipse)
        p.drawEllipse(shape.rect);
    else
        p.drawRoundedRect(shape.rect, shape.radius, shape.radius);
}

QString number(double value) {
    return QString::number(value, 'g', 6);
}

QString svgShape(const Shape& shape, int index) {
    QString gradient = QString(
                           "<linearGradient id=\"g%1\" x1=\"0\" y1=\"%2\" x2=\"0\" y2=\"%3\" "
                           "gradientUnits=\"userSpaceOnUse\">")
                           .arg(index)
                           .arg(number(shape.rect.top()), number(shape.rect.bottom()));
    for (const Stop& stop : shape.fill)
        gradient += QString("<stop offset=\"%1\" stop-color=\"%2\"/>")
                        .arg(number(stop.at), stop.color.name());
    gradient += "</linearGradient>\n";
    const QString paint = QString("fill=\"url(#g%1)\" stroke=\"%2\" stroke-width=\"%3\"")
                              .arg(index)
                              .arg(shape.strokeWidth > 0 ? shape.stroke.name() : QString("none"),
                                   number(shape.strokeWidth));
    const QRectF& r = shape.rect;
    if (shape.ellipse)
        return gradient + QString("<ellipse cx=\"%1\" cy=\"%2\" rx=\"%3\" ry=\"%4\" %5/>\n")
                              .arg(number(r.center().x()), number(r.center().y()),
                                   number(r.width() / 2), number(r.height() / 2), paint);
    return gradient + QString("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" rx=\"%5\" %6/>\n")
                          .arg(number(r.x()), number(r.y()), number(r.width()), number(r.height()),
                               number(shape.radius), paint);
}

}  // namespace

QImage AppIcon(int size) {
    QImage image = Canvas(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / kDesign, size / kDesign);
    for (const Shape& shape : design()) paintShape(p, shape);
    return image;
}

QByteArray AppIconSvg() {
    QString svg = QString(
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%1\" "
                      "viewBox=\"0 0 %1 %1\">\n")
                      .arg(number(kDesign));
    const std::vector<Shape> shapes = design();
    for (std::size_t i = 0; i < shapes.size(); ++i) svg += svgShape(shapes[i], int(i));
    svg += "</svg>\n";
    return svg.toUtf8();
}
