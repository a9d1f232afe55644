#include <QConicalGradient>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "Art.h"

namespace {

constexpr int kSide = 32;
const QColor kOutline(52, 56, 64);

// A drive case seen slightly from above: a lighter top face over a shaded front.
void drawCase(QPainter& p, const QRectF& front, const QColor& tint) {
    const double depth = front.height() * 0.45;
    QPainterPath top;
    top.moveTo(front.left(), front.top());
    top.lineTo(front.left() + depth, front.top() - depth);
    top.lineTo(front.right() - 1, front.top() - depth);
    top.lineTo(front.right(), front.top());
    top.closeSubpath();
    p.setPen(QPen(kOutline, 1));
    QLinearGradient topFill(0, front.top() - depth, 0, front.top());
    topFill.setColorAt(0, tint.lighter(150));
    topFill.setColorAt(1, tint.lighter(118));
    p.setBrush(topFill);
    p.drawPath(top);
    QLinearGradient frontFill(0, front.top(), 0, front.bottom());
    frontFill.setColorAt(0, tint.lighter(108));
    frontFill.setColorAt(1, tint.darker(135));
    p.setBrush(frontFill);
    p.drawRoundedRect(front, 1.5, 1.5);
}

void drawLed(QPainter& p, QPointF at, const QColor& color) {
    QRadialGradient glow(at, 2.2);
    glow.setColorAt(0, color.lighter(170));
    glow.setColorAt(1, color);
    p.setPen(QPen(color.darker(170), 0.6));
    p.setBrush(glow);
    p.drawEllipse(at, 1.4, 1.4);
}

void drawSlot(QPainter& p, const QRectF& slot) {
    p.setPen(QPen(QColor(255, 255, 255, 120), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(slot.translated(0, 0.8), 1, 1);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 22, 26));
    p.drawRoundedRect(slot, 1, 1);
}

void openDriveIcon(QPainter& p) {
    drawCase(p, QRectF(3.5, 14.5, 25, 12), QColor(168, 172, 180));
    drawSlot(p, QRectF(6, 18, 20, 3.4));
    drawLed(p, QPointF(24.5, 23.8), QColor(120, 126, 132));
}

void flatMediumIcon(QPainter& p) {
    QPainterPath body;
    body.moveTo(4.5, 5.5);
    body.lineTo(25, 5.5);
    body.lineTo(27.5, 8);
    body.lineTo(27.5, 27.5);
    body.lineTo(4.5, 27.5);
    body.closeSubpath();
    QLinearGradient fill(4, 5, 28, 28);
    fill.setColorAt(0, QColor(86, 150, 230));
    fill.setColorAt(1, QColor(28, 74, 160));
    p.setPen(QPen(QColor(18, 44, 100), 1));
    p.setBrush(fill);
    p.drawPath(body);
    QLinearGradient metal(0, 6, 0, 14);
    metal.setColorAt(0, QColor(236, 238, 242));
    metal.setColorAt(1, QColor(160, 166, 176));
    p.setPen(QPen(QColor(90, 96, 108), 0.8));
    p.setBrush(metal);
    p.drawRect(QRectF(9.5, 5.5, 13, 9));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 66, 78));
    p.drawRect(QRectF(17, 7.5, 3, 5.5));
    p.setPen(QPen(QColor(190, 196, 206), 0.8));
    p.setBrush(QColor(250, 250, 246));
    p.drawRoundedRect(QRectF(8.5, 18.5, 15, 9), 1, 1);
    p.setPen(QPen(QColor(120, 150, 200), 0.8));
    for (double y = 21.5; y < 27; y += 2.5) p.drawLine(QPointF(10.5, y), QPointF(21.5, y));
}

void hardDiskAt(QPainter& p, double top) {
    drawCase(p, QRectF(3.5, top, 25, 11), QColor(150, 160, 176));
    p.setPen(Qt::NoPen);
    QLinearGradient plate(0, top + 3, 0, top + 8);
    plate.setColorAt(0, QColor(64, 70, 82));
    plate.setColorAt(1, QColor(34, 38, 46));
    p.setBrush(plate);
    p.drawRoundedRect(QRectF(6, top + 3.5, 14, 4.5), 1, 1);
    drawLed(p, QPointF(24.5, top + 5.8), QColor(70, 200, 60));
}

void hardDiskIcon(QPainter& p) {
    hardDiskAt(p, 15.5);
}

void networkDiskIcon(QPainter& p) {
    hardDiskAt(p, 10.5);
    const QColor green(64, 170, 52);
    p.setPen(QPen(green.darker(150), 1));
    p.setBrush(green);
    p.drawRect(QRectF(14.5, 21.5, 3, 5));
    QLinearGradient bar(0, 26, 0, 30);
    bar.setColorAt(0, green.lighter(140));
    bar.setColorAt(1, green.darker(120));
    p.setBrush(bar);
    p.drawRoundedRect(QRectF(2.5, 26.5, 27, 3.5), 1.5, 1.5);
    p.setBrush(QColor(230, 250, 220));
    p.setPen(Qt::NoPen);
    for (double x : {6.0, 16.0, 26.0}) p.drawEllipse(QPointF(x, 28.2), 1.1, 1.1);
}

void opticalIcon(QPainter& p) {
    const QPointF centre(16, 13);
    QConicalGradient sheen(centre, 30);
    sheen.setColorAt(0.0, QColor(232, 236, 244));
    sheen.setColorAt(0.15, QColor(190, 220, 250));
    sheen.setColorAt(0.3, QColor(246, 226, 250));
    sheen.setColorAt(0.5, QColor(214, 220, 232));
    sheen.setColorAt(0.65, QColor(250, 240, 190));
    sheen.setColorAt(0.8, QColor(200, 236, 220));
    sheen.setColorAt(1.0, QColor(232, 236, 244));
    p.setPen(QPen(QColor(110, 116, 130), 0.9));
    p.setBrush(sheen);
    p.drawEllipse(centre, 12.5, 12.5);
    p.setBrush(QColor(250, 250, 252));
    p.drawEllipse(centre, 3.8, 3.8);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(150, 156, 170), 0.8));
    p.drawEllipse(centre, 1.6, 1.6);
    drawCase(p, QRectF(3.5, 19.5, 25, 9), QColor(168, 172, 180));
    drawSlot(p, QRectF(6, 22, 16, 2.4));
    drawLed(p, QPointF(25, 24.8), QColor(240, 150, 40));
}

void memoryIcon(QPainter& p) {
    drawCase(p, QRectF(3.5, 18.5, 25, 10), QColor(150, 160, 176));
    drawLed(p, QPointF(24.5, 24), QColor(70, 200, 60));
    QLinearGradient board(0, 6, 0, 17);
    board.setColorAt(0, QColor(70, 176, 74));
    board.setColorAt(1, QColor(26, 120, 46));
    p.setPen(QPen(QColor(16, 80, 30), 0.9));
    p.setBrush(board);
    p.drawRect(QRectF(2.5, 4.5, 27, 12));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(28, 30, 34));
    for (int i = 0; i < 4; ++i) p.drawRect(QRectF(4.5 + i * 6.3, 6.5, 4.6, 5.5));
    p.setBrush(QColor(232, 190, 70));
    for (int i = 0; i < 12; ++i) p.drawRect(QRectF(4 + i * 2.1, 13.5, 1.2, 2.5));
}

}  // namespace

QImage DriveIcon(int typeCode) {
    QImage image = Canvas(kSide, kSide);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    switch (typeCode) {
        case 1:
            openDriveIcon(p);
            break;
        case 2:
            flatMediumIcon(p);
            break;
        case 3:
            hardDiskIcon(p);
            break;
        case 4:
            networkDiskIcon(p);
            break;
        case 5:
            opticalIcon(p);
            break;
        default:
            memoryIcon(p);
            break;
    }
    return image;
}
