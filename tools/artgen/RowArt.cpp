#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "Art.h"

namespace {

constexpr QColor kListBackground(240, 240, 240);
constexpr int kTabWidth = 20;
const QRect kTrack(159, 22, 202, kBarHeight);  // where the bar is drawn, pixel for pixel

struct PanelColors {
    QColor top, bottom, border;
};

PanelColors panelColors(bool selected) {
    if (selected) return {QColor(236, 245, 255), QColor(200, 224, 250), QColor(110, 154, 210)};
    return {QColor(253, 253, 252), QColor(228, 231, 236), QColor(170, 176, 186)};
}

QColor tabColor(RowKind kind) {
    switch (kind) {
        case RowKind::Local:
            return QColor(247, 160, 52);
        case RowKind::Network:
            return QColor(170, 206, 64);
        case RowKind::Drive:
            return QColor(112, 168, 232);
    }
    return Qt::gray;
}

void drawPanel(QPainter& p, bool selected) {
    const PanelColors c = panelColors(selected);
    QLinearGradient fill(0, 1, 0, kRowHeight - 1);
    fill.setColorAt(0, c.top);
    fill.setColorAt(0.45, c.top.darker(102));
    fill.setColorAt(1, c.bottom);
    p.setPen(QPen(c.border, 1));
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(0.5, 0.5, kRowWidth - 1, kRowHeight - 1), 5, 5);
    p.setPen(QPen(QColor(255, 255, 255, 200), 1));
    p.drawLine(QPointF(kTabWidth + 2, 1.5), QPointF(kRowWidth - 5, 1.5));
}

void drawTab(QPainter& p, RowKind kind) {
    const QColor base = tabColor(kind);
    QPainterPath tab;
    tab.addRoundedRect(QRectF(1, 1, kTabWidth + 6, kRowHeight - 2), 4.5, 4.5);
    QPainterPath cut;
    cut.addRect(QRectF(kTabWidth, 0, 10, kRowHeight));
    QLinearGradient fill(1, 0, kTabWidth, 0);
    fill.setColorAt(0, base.lighter(112));
    fill.setColorAt(0.55, base);
    fill.setColorAt(1, base.darker(112));
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(tab.subtracted(cut));
    p.setPen(QPen(base.darker(135), 1));
    p.drawLine(QPointF(kTabWidth + 0.5, 1), QPointF(kTabWidth + 0.5, kRowHeight - 1));
    p.setPen(QPen(QColor(255, 255, 255, 110), 1));
    p.drawLine(QPointF(2.5, 4), QPointF(2.5, kRowHeight - 4));
}

// Little white pictograms low in the tab, clear of the drive letter printed at (4, 4).
void drawStackGlyph(QPainter& p, QPointF at) {
    p.setPen(QPen(QColor(255, 255, 255, 235), 1.2));
    p.setBrush(QColor(255, 255, 255, 70));
    for (int i = 0; i < 3; ++i) p.drawRoundedRect(QRectF(at.x(), at.y() + i * 4.5, 12, 3.5), 1, 1);
}

void drawNetworkGlyph(QPainter& p, QPointF at) {
    p.setPen(QPen(QColor(255, 255, 255, 235), 1.2));
    p.setBrush(QColor(255, 255, 255, 70));
    p.drawLine(at + QPointF(6, 3), at + QPointF(6, 9));
    p.drawLine(at + QPointF(1.5, 9), at + QPointF(10.5, 9));
    p.drawLine(at + QPointF(1.5, 9), at + QPointF(1.5, 11));
    p.drawLine(at + QPointF(10.5, 9), at + QPointF(10.5, 11));
    p.drawRoundedRect(QRectF(at.x() + 3, at.y() - 1, 6, 4), 1, 1);
    p.drawRoundedRect(QRectF(at.x() - 1, at.y() + 11, 5, 3.5), 1, 1);
    p.drawRoundedRect(QRectF(at.x() + 8, at.y() + 11, 5, 3.5), 1, 1);
}

void drawDiskGlyph(QPainter& p, QPointF at) {
    p.setPen(QPen(QColor(255, 255, 255, 235), 1.2));
    p.setBrush(QColor(255, 255, 255, 70));
    p.drawRoundedRect(QRectF(at.x(), at.y(), 12, 9), 1.5, 1.5);
    p.setBrush(QColor(255, 255, 255, 235));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(at.x() + 9, at.y() + 6), 1.1, 1.1);
}

void drawGlyph(QPainter& p, RowKind kind) {
    switch (kind) {
        case RowKind::Local:
            drawStackGlyph(p, QPointF(4, 33));
            break;
        case RowKind::Network:
            drawNetworkGlyph(p, QPointF(4, 33));
            break;
        case RowKind::Drive:
            drawDiskGlyph(p, QPointF(4, 36));
            break;
    }
}

// A sunken groove one pixel outside the bar area, so the bar itself covers only the floor.
void drawTrack(QPainter& p, bool selected) {
    const QRectF frame = QRectF(kTrack).adjusted(-1.5, -1.5, 1.5, 1.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 220));
    p.drawRoundedRect(frame.translated(0, 1), 6, 6);
    QLinearGradient floor(0, kTrack.top(), 0, kTrack.bottom());
    floor.setColorAt(0, selected ? QColor(170, 190, 214) : QColor(186, 190, 198));
    floor.setColorAt(0.25, selected ? QColor(214, 228, 244) : QColor(222, 225, 230));
    floor.setColorAt(1, selected ? QColor(240, 246, 253) : QColor(246, 247, 249));
    p.setPen(QPen(selected ? QColor(120, 146, 180) : QColor(150, 155, 165), 1));
    p.setBrush(floor);
    p.drawRoundedRect(frame, 6, 6);
    p.setPen(QPen(QColor(0, 0, 0, 22), 1));
    for (int x = kTrack.left() + 20; x < kTrack.right(); x += 20)
        p.drawLine(QPointF(x + 0.5, kTrack.top() + 3), QPointF(x + 0.5, kTrack.bottom() - 2));
}

void drawDivider(QPainter& p, bool selected) {
    QLinearGradient line(0, 6, 0, kRowHeight - 6);
    const QColor c = selected ? QColor(110, 150, 200) : QColor(160, 166, 176);
    line.setColorAt(0, Qt::transparent);
    line.setColorAt(0.5, c);
    line.setColorAt(1, Qt::transparent);
    p.setPen(QPen(QBrush(line), 1));
    p.drawLine(QPointF(156.5, 6), QPointF(156.5, kRowHeight - 6));
}

}  // namespace

QImage RowPanel(RowKind kind, bool selected, int scale) {
    QImage image = Canvas(kRowWidth * scale, kRowHeight * scale, kListBackground);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    drawPanel(p, selected);
    drawTab(p, kind);
    drawGlyph(p, kind);
    drawDivider(p, selected);
    drawTrack(p, selected);
    return image;
}
