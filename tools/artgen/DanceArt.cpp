#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>
#include <algorithm>
#include <cmath>

#include "Art.h"

namespace {

constexpr int kWidth = 110;
constexpr int kHeight = 205;
constexpr double kGround = 197;
constexpr double kTorso = 46, kNeck = 5, kHead = 10;
constexpr double kUpperArm = 24, kForearm = 21, kThigh = 31, kShin = 31;
constexpr double kHipOffset = 6;

const QColor kInk(48, 30, 28);
const QColor kShirt(250, 248, 240);
const QColor kStitch(200, 30, 40);
const QColor kTrousers(44, 92, 182);
const QColor kSash(212, 44, 40);
const QColor kBoot(176, 36, 36);
const QColor kSkin(242, 200, 162);
const QColor kFur(40, 34, 34);

// Angles in degrees, measured from straight down, positive towards the picture's right.
// A thigh pointing at the viewer is drawn shortened; the toe angle is relative to the shin.
struct Leg {
    double thigh, shin, shorten, toe;
};

struct Arm {
    double upper, fore;
};

struct Pose {
    double hipX;
    double lift;  // height of the lowest foot above the floor: a jump
    double lean;  // positive tilts the upper body towards the picture's left
    Leg left, right;
    Arm armLeft, armRight;
};

// Hopak steps in frame order, 110 ms apart: a stamp with hands on hips, squat kicks to the
// right and to the left with crossed arms, a split jump, the landing, a hop with one knee up,
// a deep squat and a tucked jump, which lands in the stamp again. The frame is only 110 pixels
// wide, so the kicks shift the dancer away from the kicking side.
constexpr Pose kPoses[8] = {
    {55, 0, 0, {-8, -3, 1, -80}, {8, 3, 1, 80}, {-40, 40}, {40, -40}},
    {32, 0, 6, {-50, 25, 0.5, -70}, {58, 68, 1, 95}, {-15, 100}, {15, -100}},
    {78, 0, -6, {-58, -68, 1, -95}, {50, -25, 0.5, 70}, {-15, 100}, {15, -100}},
    {55, 18, 0, {-31, -35, 1, -25}, {31, 35, 1, 25}, {-150, -165}, {150, 165}},
    {55, 0, 0, {-35, 12, 1, -80}, {35, -12, 1, 80}, {-115, -140}, {115, 140}},
    {55, 4, 4, {-3, 2, 1, -80}, {75, -5, 1, 80}, {-160, -175}, {40, -40}},
    {55, 0, 0, {-62, 20, 0.6, -80}, {62, -20, 0.6, 80}, {-120, -150}, {120, 150}},
    {55, 24, 0, {-34, 12, 0.55, -75}, {34, -12, 0.55, 75}, {-165, -175}, {120, 150}},
};

QPointF along(double angle, double length) {
    const double a = qDegreesToRadians(angle);
    return {std::sin(a) * length, std::cos(a) * length};
}

struct Skeleton {
    QPointF hip, neck, head, shoulderL, shoulderR;
    QPointF kneeL, ankleL, kneeR, ankleR;
    QPointF elbowL, wristL, elbowR, wristR;
};

void placeLeg(QPointF hip, const Leg& leg, QPointF& knee, QPointF& ankle) {
    knee = hip + along(leg.thigh, kThigh * leg.shorten);
    ankle = knee + along(leg.shin, kShin);
}

void placeArm(QPointF shoulder, const Arm& arm, QPointF& elbow, QPointF& wrist) {
    elbow = shoulder + along(arm.upper, kUpperArm);
    wrist = elbow + along(arm.fore, kForearm);
}

Skeleton place(const Pose& pose, double hipY) {
    Skeleton s;
    s.hip = {pose.hipX, hipY};
    const QPointF up = along(180 + pose.lean, 1);
    const QPointF left(up.y(), -up.x());
    s.neck = s.hip + up * kTorso;
    s.head = s.neck + up * (kNeck + kHead);
    s.shoulderL = s.neck + left * 12 - up * 3;
    s.shoulderR = s.neck - left * 12 - up * 3;
    placeLeg(s.hip - QPointF(kHipOffset, 0), pose.left, s.kneeL, s.ankleL);
    placeLeg(s.hip + QPointF(kHipOffset, 0), pose.right, s.kneeR, s.ankleR);
    placeArm(s.shoulderL, pose.armLeft, s.elbowL, s.wristL);
    placeArm(s.shoulderR, pose.armRight, s.elbowR, s.wristR);
    return s;
}

Skeleton placeOnFloor(const Pose& pose) {
    const Skeleton probe = place(pose, 0);
    const double lowest = std::max(probe.ankleL.y(), probe.ankleR.y()) + 6;
    return place(pose, kGround - pose.lift - lowest);
}

// Limbs are drawn as an ink stroke with the colour stroke inside it, so every part keeps a
// dark contour over any stage colour.
void limb(QPainter& p, const QPolygonF& line, double width, const QColor& fill) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kInk, width + 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(line);
    p.setPen(QPen(fill, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(line);
}

QPointF unit(QPointF v) {
    const double length = std::hypot(v.x(), v.y());
    return length > 0 ? v / length : QPointF(0, 1);
}

QPointF normal(QPointF v) {
    return {-v.y(), v.x()};
}

void shadow(QPainter& p, const Skeleton& s, double lift) {
    const double spread = std::min(std::abs(s.ankleR.x() - s.ankleL.x()) / 2 + 16 - lift / 3, 48.0);
    QRadialGradient g(QPointF(0, 0), spread);
    g.setColorAt(0, QColor(0, 0, 0, int(100 - lift * 2)));
    g.setColorAt(1, QColor(0, 0, 0, 0));
    p.save();
    p.translate((s.ankleL.x() + s.ankleR.x()) / 2, kGround + 2);
    p.scale(1, 0.2);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(QPointF(0, 0), spread, spread);
    p.restore();
}

void boot(QPainter& p, QPointF ankle, const Leg& leg) {
    const QPointF shaftTop = ankle + along(leg.shin + 180, 11);
    limb(p, QPolygonF{shaftTop, ankle}, 11, kBoot);
    const QPointF toe = ankle + along(leg.shin + leg.toe, 10);
    limb(p, QPolygonF{ankle, toe}, 8, kBoot.darker(112));
    const QPointF across = normal(unit(ankle - shaftTop)) * 5.5;
    p.setPen(QPen(QColor(246, 200, 80), 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(shaftTop + across, shaftTop - across);
}

void trousers(QPainter& p, QPointF hip, QPointF knee, QPointF ankle) {
    const QPointF shaftTop = ankle + unit(knee - ankle) * 11;
    limb(p, QPolygonF{hip, knee, shaftTop}, 16, kTrousers);
    p.setPen(QPen(kTrousers.lighter(135), 2, Qt::SolidLine, Qt::RoundCap));
    const QPointF sideways = normal(unit(knee - hip)) * 3.5;
    p.drawLine(hip * 0.7 + knee * 0.3 + sideways, hip * 0.2 + knee * 0.8 + sideways);
    p.setPen(QPen(kTrousers.darker(140), 1.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(knee * 0.8 + shaftTop * 0.2, knee * 0.3 + shaftTop * 0.7);
}

void leg(QPainter& p, QPointF hip, QPointF knee, QPointF ankle, const Leg& pose) {
    trousers(p, hip, knee, ankle);
    boot(p, ankle, pose);
}

// A cross-stitch band, the embroidery of the shirt, between two points.
void stitches(QPainter& p, QPointF from, QPointF to, double size) {
    const QPointF dir = to - from;
    const int count = std::max(1, int(std::hypot(dir.x(), dir.y()) / (size * 2.2)));
    p.setPen(QPen(kStitch, 1.1, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i <= count; ++i) {
        const QPointF c = from + dir * (double(i) / count);
        p.drawLine(c + QPointF(-size, -size), c + QPointF(size, size));
        p.drawLine(c + QPointF(-size, size), c + QPointF(size, -size));
    }
}

void torso(QPainter& p, const Skeleton& s) {
    const QPointF up = (s.neck - s.hip) / kTorso;
    const QPointF left(up.y(), -up.x());
    QPainterPath shirt;
    shirt.moveTo(s.shoulderL + up * 2);
    shirt.quadTo(s.neck + up * 5, s.shoulderR + up * 2);
    shirt.quadTo(s.hip - left * 17 + up * 24, s.hip - left * 13 - up * 3);
    shirt.lineTo(s.hip + left * 13 - up * 3);
    shirt.quadTo(s.hip + left * 17 + up * 24, s.shoulderL + up * 2);
    QLinearGradient cloth(s.hip + left * 14, s.hip - left * 14);
    cloth.setColorAt(0, kShirt);
    cloth.setColorAt(1, QColor(222, 220, 214));
    p.setPen(QPen(kInk, 1.8));
    p.setBrush(cloth);
    p.drawPath(shirt);
    stitches(p, s.neck - up * 4, s.neck - up * 24, 1.5);
    p.setPen(QPen(kStitch, 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(s.neck - up * 1.5 + left * 6, s.neck - up * 1.5 - left * 6);
}

void sash(QPainter& p, const Skeleton& s) {
    const QPointF up = (s.neck - s.hip) / kTorso;
    const QPointF left(up.y(), -up.x());
    const QPolygonF band{s.hip + left * 14 + up * 9, s.hip - left * 14 + up * 9,
                         s.hip - left * 14 + up * 1, s.hip + left * 14 + up * 1};
    QLinearGradient fill(s.hip + up * 9, s.hip + up);
    fill.setColorAt(0, kSash.lighter(120));
    fill.setColorAt(1, kSash.darker(115));
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(fill);
    p.drawPolygon(band);
    p.setPen(QPen(QColor(246, 200, 80), 1.2));
    p.drawLine(s.hip + left * 13 + up * 5, s.hip - left * 13 + up * 5);
    const QPointF knot = s.hip - left * 9 + up * 3;
    limb(p, QPolygonF{knot, knot - up * 15 - left * 4}, 3.5, kSash);
    limb(p, QPolygonF{knot, knot - up * 12 + left * 2}, 3.5, kSash.lighter(112));
}

void arm(QPainter& p, QPointF shoulder, QPointF elbow, QPointF wrist) {
    const QPointF dir = unit(wrist - elbow);
    const QPointF cuff = wrist - dir * 1.5;
    limb(p, QPolygonF{shoulder, elbow, cuff}, 10, kShirt);
    p.setPen(QPen(kStitch, 2.2, Qt::SolidLine, Qt::FlatCap));
    const QPointF across = normal(dir) * 4.5;
    p.drawLine(cuff - dir * 3 + across, cuff - dir * 3 - across);
    p.setPen(QPen(kInk, 1.4));
    p.setBrush(kSkin);
    p.drawEllipse(wrist + dir * 3, 4, 4);
}

void face(QPainter& p) {
    p.setPen(QPen(kInk, 1.6));
    p.setBrush(kSkin);
    p.drawEllipse(QPointF(0, 0), kHead - 1, kHead);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(236, 140, 120, 150));
    p.drawEllipse(QPointF(-5.8, 2.2), 2, 1.4);
    p.drawEllipse(QPointF(5.8, 2.2), 2, 1.4);
    p.setBrush(kInk);
    p.drawEllipse(QPointF(-3.3, -1.6), 1.1, 1.4);
    p.drawEllipse(QPointF(3.3, -1.6), 1.1, 1.4);
    p.setPen(QPen(kInk, 1, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(-5, -4.6), QPointF(-1.8, -4.2));
    p.drawLine(QPointF(1.8, -4.2), QPointF(5, -4.6));
    p.setPen(QPen(QColor(150, 50, 40), 1, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(-2.5, 3.5, 5, 3.5), 200 * 16, 140 * 16);
    QPainterPath moustache;
    moustache.moveTo(0, 2.3);
    moustache.cubicTo(-4, 1.2, -7, 3.5, -8.5, 8.5);
    moustache.cubicTo(-5.5, 5, -2, 4.8, 0, 4.1);
    moustache.cubicTo(2, 4.8, 5.5, 5, 8.5, 8.5);
    moustache.cubicTo(7, 3.5, 4, 1.2, 0, 2.3);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 44, 30));
    p.drawPath(moustache);
}

void hat(QPainter& p) {
    QPainterPath cloth;
    cloth.moveTo(-7, -19);
    cloth.cubicTo(-3, -28, 8, -29, 15, -19);
    cloth.quadTo(16, -14, 12.5, -12.5);
    cloth.quadTo(11, -17, 6, -17);
    p.setPen(QPen(kInk, 1.4));
    p.setBrush(kSash);
    p.drawPath(cloth);
    p.setBrush(QColor(246, 200, 80));
    p.drawEllipse(QPointF(12.8, -11.8), 1.8, 1.8);
    QLinearGradient fur(0, -21, 0, -6);
    fur.setColorAt(0, kFur.lighter(180));
    fur.setColorAt(1, kFur);
    p.setBrush(fur);
    p.drawRoundedRect(QRectF(-10.5, -21, 21, 14.5), 5, 5);
    p.setPen(QPen(kFur.lighter(230), 0.8, Qt::SolidLine, Qt::RoundCap));
    for (double x = -7; x <= 7; x += 3.5) p.drawLine(QPointF(x, -18), QPointF(x + 1, -15));
}

void head(QPainter& p, const Skeleton& s, double lean) {
    p.save();
    p.translate(s.head);
    p.rotate(-lean);
    face(p);
    hat(p);
    p.restore();
}

}  // namespace

QImage DanceFrame(int index) {
    const Pose& pose = kPoses[std::clamp(index, 0, 7)];
    const Skeleton s = placeOnFloor(pose);
    QImage image = Canvas(kWidth, kHeight);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    shadow(p, s, pose.lift);
    leg(p, s.hip - QPointF(kHipOffset, 0), s.kneeL, s.ankleL, pose.left);
    leg(p, s.hip + QPointF(kHipOffset, 0), s.kneeR, s.ankleR, pose.right);
    torso(p, s);
    sash(p, s);
    arm(p, s.shoulderL, s.elbowL, s.wristL);
    arm(p, s.shoulderR, s.elbowR, s.wristR);
    head(p, s, pose.lean);
    return image;
}
