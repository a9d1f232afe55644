#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>
#include <algorithm>
#include <cmath>

#include "Art.h"

namespace {

constexpr int kWidth = 512;
constexpr int kHeight = 384;
constexpr double kStageFront = 300;
constexpr double kFigureFeet[3] = {120, 256, 390};  // the dancers' centres on the stage

QFont titleFont(int pixelSize, bool serif) {
    QFont font(serif ? QStringLiteral("DejaVu Serif") : QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(true);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

void drawBackdrop(QPainter& p) {
    QLinearGradient sky(0, 0, 0, kStageFront);
    sky.setColorAt(0, QColor(22, 28, 70));
    sky.setColorAt(0.6, QColor(58, 40, 96));
    sky.setColorAt(1, QColor(110, 60, 90));
    p.fillRect(QRect(0, 0, kWidth, kHeight), sky);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 70; ++i) {
        const double x = std::fmod(i * 137.508, kWidth);
        const double y = std::fmod(i * 53.7, 190.0) + 20;
        p.setBrush(QColor(255, 250, 220, 60 + (i * 37) % 140));
        const double r = 0.6 + (i % 3) * 0.35;
        p.drawEllipse(QPointF(x, y), r, r);
    }
}

void drawFloor(QPainter& p) {
    QPolygonF floor{
        {40, kStageFront - 40}, {472, kStageFront - 40}, {kWidth, kHeight}, {0, kHeight}};
    QLinearGradient wood(0, kStageFront - 40, 0, kHeight);
    wood.setColorAt(0, QColor(120, 72, 40));
    wood.setColorAt(1, QColor(170, 110, 60));
    p.setPen(Qt::NoPen);
    p.setBrush(wood);
    p.drawPolygon(floor);
    p.setPen(QPen(QColor(80, 44, 24, 150), 1));
    for (int i = 0; i <= 16; ++i) {
        const double top = 40 + i * 27.0, bottom = i * 32.0;
        p.drawLine(QPointF(top, kStageFront - 40), QPointF(bottom, kHeight));
    }
    for (double y : {272.0, 290.0, 312.0, 340.0}) p.drawLine(QPointF(0, y), QPointF(kWidth, y));
}

void drawSpotlights(QPainter& p) {
    p.setPen(Qt::NoPen);
    for (double x : kFigureFeet) {
        QPolygonF beam{{x - 14, 0}, {x + 14, 0}, {x + 58, 316}, {x - 58, 316}};
        QLinearGradient light(0, 0, 0, 316);
        light.setColorAt(0, QColor(255, 240, 190, 70));
        light.setColorAt(1, QColor(255, 240, 190, 14));
        p.setBrush(light);
        p.drawPolygon(beam);
        QRadialGradient pool(QPointF(x, 312), 70);
        pool.setColorAt(0, QColor(255, 236, 170, 120));
        pool.setColorAt(1, QColor(255, 236, 170, 0));
        p.setBrush(pool);
        p.save();
        p.translate(x, 312);
        p.scale(1, 0.25);
        p.drawEllipse(QPointF(0, 0), 70, 70);
        p.restore();
    }
}

void drawCurtain(QPainter& p, double left, double width, bool mirrored) {
    QLinearGradient folds(left, 0, left + width, 0);
    for (int i = 0; i <= 8; ++i) {
        const double shade = 0.5 + 0.5 * std::cos(i * M_PI * 0.9);
        folds.setColorAt(i / 8.0, QColor::fromRgbF(0.45 + 0.3 * shade, 0.05 + 0.05 * shade, 0.1));
    }
    QPainterPath drape;
    const double inner = mirrored ? left : left + width;
    const double outer = mirrored ? left + width : left;
    drape.moveTo(outer, 0);
    drape.lineTo(inner, 0);
    drape.cubicTo(inner, 120, inner + (mirrored ? 26 : -26), 220, inner + (mirrored ? 10 : -10),
                  kHeight);
    drape.lineTo(outer, kHeight);
    drape.closeSubpath();
    p.setPen(QPen(QColor(60, 6, 12), 1.2));
    p.setBrush(folds);
    p.drawPath(drape);
}

void drawValance(QPainter& p) {
    QPainterPath band;
    band.moveTo(0, 0);
    band.lineTo(kWidth, 0);
    band.lineTo(kWidth, 16);
    for (int i = 16; i > 0; --i) {
        const double x0 = i * 32.0, x1 = (i - 1) * 32.0;
        band.quadTo((x0 + x1) / 2, 30, x1, 16);
    }
    band.closeSubpath();
    QLinearGradient fill(0, 0, 0, 30);
    fill.setColorAt(0, QColor(150, 20, 32));
    fill.setColorAt(1, QColor(100, 10, 22));
    p.setPen(QPen(QColor(230, 180, 70), 2));
    p.setBrush(fill);
    p.drawPath(band);
}

void drawTieBack(QPainter& p, double x, bool mirrored) {
    const double inner = mirrored ? x - 10 : x + 10;
    QPainterPath rope;
    rope.moveTo(mirrored ? kWidth : 0, 196);
    rope.quadTo((x + (mirrored ? kWidth : 0)) / 2, 214, inner, 200);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(120, 80, 20), 5, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(rope);
    p.setPen(QPen(QColor(240, 196, 80), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(rope);
    QRadialGradient tassel(QPointF(inner, 206), 8);
    tassel.setColorAt(0, QColor(255, 226, 130));
    tassel.setColorAt(1, QColor(190, 130, 30));
    p.setPen(QPen(QColor(120, 80, 20), 1));
    p.setBrush(tassel);
    p.drawEllipse(QPointF(inner, 204), 4.5, 4.5);
    p.drawRoundedRect(QRectF(inner - 3.5, 207, 7, 13), 2, 2);
}

// The stage's front edge with a row of footlights; the page strip may cover it.
void drawApron(QPainter& p) {
    QLinearGradient edge(0, 344, 0, kHeight);
    edge.setColorAt(0, QColor(90, 50, 26));
    edge.setColorAt(1, QColor(40, 20, 12));
    p.setPen(Qt::NoPen);
    p.setBrush(edge);
    p.drawRect(QRectF(0, 346, kWidth, kHeight - 346));
    p.setPen(QPen(QColor(200, 150, 80), 1));
    p.drawLine(QPointF(0, 346.5), QPointF(kWidth, 346.5));
    p.setPen(Qt::NoPen);
    for (double x = 40; x < kWidth; x += 48) {
        QRadialGradient glow(QPointF(x, 346), 26);
        glow.setColorAt(0, QColor(255, 230, 160, 170));
        glow.setColorAt(1, QColor(255, 230, 160, 0));
        p.setBrush(glow);
        p.drawEllipse(QPointF(x, 346), 26, 14);
        p.setBrush(QColor(255, 246, 210));
        p.drawEllipse(QPointF(x, 348), 5, 2.5);
    }
}

void drawTitle(QPainter& p) {
    const QString title = QStringLiteral("Vollmark");
    QPainterPath text;
    const QFont font = titleFont(50, true);
    text.addText(0, 0, font, title);
    const QRectF box = text.boundingRect();
    text.translate(kWidth / 2.0 - box.center().x(), 82);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 110));
    p.drawPath(text.translated(2, 3));
    QLinearGradient gold(0, 40, 0, 84);
    gold.setColorAt(0, QColor(255, 236, 150));
    gold.setColorAt(0.5, QColor(240, 190, 60));
    gold.setColorAt(1, QColor(190, 120, 30));
    p.setPen(QPen(QColor(90, 50, 10), 1.4));
    p.setBrush(gold);
    p.drawPath(text);
    p.setFont(titleFont(12, false));
    p.setPen(QColor(250, 230, 200));
    p.drawText(QRectF(0, 88, kWidth, 18), Qt::AlignCenter,
               QStringLiteral("drive usage at a glance"));
}

void drawSkyAndField(QPainter& p) {
    QLinearGradient sky(0, 0, 0, 260);
    sky.setColorAt(0, QColor(46, 104, 196));
    sky.setColorAt(1, QColor(206, 228, 248));
    p.fillRect(QRect(0, 0, kWidth, kHeight), sky);
    QRadialGradient sun(QPointF(440, 60), 140);
    sun.setColorAt(0, QColor(255, 250, 220, 230));
    sun.setColorAt(0.15, QColor(255, 240, 190, 150));
    sun.setColorAt(1, QColor(255, 240, 190, 0));
    p.fillRect(QRect(0, 0, kWidth, kHeight), sun);
    p.setPen(Qt::NoPen);
    for (const QPointF c : {QPointF(90, 140), QPointF(300, 110), QPointF(210, 190)}) {
        for (int i = 0; i < 5; ++i) {
            const QPointF puff = c + QPointF((i - 2) * 17.0, (i % 2) * -8.0);
            QRadialGradient cloud(puff, 26);
            cloud.setColorAt(0, QColor(255, 255, 255, 150));
            cloud.setColorAt(1, QColor(255, 255, 255, 0));
            p.setBrush(cloud);
            p.drawEllipse(puff, 26, 18);
        }
    }
    const QColor fields[2][2] = {{QColor(236, 196, 70), QColor(206, 150, 36)},
                                 {QColor(252, 218, 96), QColor(222, 164, 40)}};
    for (int layer = 0; layer < 2; ++layer) {
        const double base = 262 + layer * 34;
        QPainterPath hill;
        hill.moveTo(0, base + (layer ? 12 : -8));
        hill.cubicTo(150, base - 30, 330, base + 30, kWidth, base - (layer ? 6 : 22));
        hill.lineTo(kWidth, kHeight);
        hill.lineTo(0, kHeight);
        QLinearGradient wheat(0, base - 30, 0, kHeight);
        wheat.setColorAt(0, fields[layer][0]);
        wheat.setColorAt(1, fields[layer][1]);
        p.setBrush(wheat);
        p.drawPath(hill);
    }
    p.setPen(QPen(QColor(180, 120, 30, 90), 1.2));
    for (int i = -8; i <= 20; ++i)
        p.drawLine(QPointF(256 + i * 14, 300), QPointF(256 + i * 60, kHeight));
}

void drawHeading(QPainter& p) {
    QPainterPath title;
    title.addText(34, 78, titleFont(58, false), QStringLiteral("Vollmark"));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 120));
    p.drawPath(title.translated(0, 2));
    QLinearGradient ink(0, 30, 0, 80);
    ink.setColorAt(0, QColor(30, 70, 140));
    ink.setColorAt(1, QColor(14, 38, 86));
    p.setBrush(ink);
    p.drawPath(title);
    p.setFont(titleFont(17, false));
    p.setPen(QColor(20, 50, 100));
    p.drawText(QPointF(38, 106), QStringLiteral("drive usage at a glance"));
}

// A miniature of the program's own drive list, drawn with the real bar pieces.
void drawUsageBar(QPainter& p, QPointF at, int length) {
    p.drawImage(at, BarCap(true));
    const int green = std::min(length, 160) - kCapWidth;
    if (green > 0)
        p.drawImage(QRectF(at.x() + kCapWidth, at.y(), green, kBarHeight), BarColumn(true));
    if (length > 160) {
        const int red = length > 190 ? 32 : length - 160;
        p.drawImage(QRectF(at.x() + 160, at.y(), red, kBarHeight), BarColumn(false));
    }
    if (length > 190) p.drawImage(at + QPointF(192, 0), BarCap(false));
}

void drawCard(QPainter& p) {
    const QRectF card(34, 150, 300, 150);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 30, 70, 40));
    p.drawRoundedRect(card.translated(3, 5), 12, 12);
    p.setBrush(QColor(255, 255, 255, 215));
    p.setPen(QPen(QColor(255, 255, 255), 1.5));
    p.drawRoundedRect(card, 12, 12);
    const struct {
        const char* letter;
        int length;
    } drives[] = {{"C:", 148}, {"D:", 76}, {"E:", 198}};
    p.setFont(titleFont(15, false));
    for (int i = 0; i < 3; ++i) {
        const QPointF row(card.left() + 18, card.top() + 24 + i * 40);
        p.setPen(QColor(30, 40, 60));
        p.drawText(row + QPointF(0, 16), QString::fromLatin1(drives[i].letter));
        const QRectF track(row.x() + 38, row.y(), 202, kBarHeight);
        p.setPen(QPen(QColor(150, 155, 165), 1));
        p.setBrush(QColor(232, 235, 240));
        p.drawRoundedRect(track.adjusted(-1.5, -1.5, 1.5, 1.5), 6, 6);
        drawUsageBar(p, track.topLeft(), drives[i].length);
    }
}

void drawGauge(QPainter& p) {
    const QPointF centre(420, 214);
    const QRectF ring(centre.x() - 58, centre.y() - 58, 116, 116);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 215));
    p.drawEllipse(centre, 74, 74);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(214, 220, 230), 20, Qt::SolidLine, Qt::FlatCap));
    p.drawEllipse(ring);
    p.setPen(QPen(BarShade(true, 12), 20, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(ring, 90 * 16, -int(0.68 * 360 * 16));
    p.setFont(titleFont(24, false));
    p.setPen(QColor(128, 0, 0));
    p.drawText(QRectF(centre.x() - 50, centre.y() - 16, 100, 32), Qt::AlignCenter,
               QStringLiteral("68 %"));
}

}  // namespace

QImage AboutPicture() {
    QImage image = Canvas(kWidth, kHeight, Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    drawBackdrop(p);
    drawFloor(p);
    drawSpotlights(p);
    drawApron(p);
    drawCurtain(p, 0, 62, false);
    drawCurtain(p, kWidth - 62, 62, true);
    drawTieBack(p, 44, false);
    drawTieBack(p, kWidth - 44, true);
    drawValance(p);
    drawTitle(p);
    return image.convertToFormat(QImage::Format_RGB32);
}

QImage AboutBoxPicture() {
    QImage image = Canvas(kWidth, kHeight, Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    drawSkyAndField(p);
    drawHeading(p);
    drawCard(p);
    drawGauge(p);
    return image.convertToFormat(QImage::Format_RGB32);
}
