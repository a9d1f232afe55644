#include "InfosLayout.h"

#include <QFontDatabase>
#include <QFrame>
#include <QLabel>
#include <QPalette>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace InfosLayout {

namespace {

constexpr int kTextHeight = 13;
constexpr int kFontPixels = 11;
constexpr int kIconSize = 32;

// Where the design fonts are missing, fall back to faces of similar width: the common
// default sans faces run wider and push the captions into their values.
QFont PixelFont(const QString& family, bool bold) {
    QFont font;
    font.setFamilies({family, QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Nimbus Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(kFontPixels);
    font.setBold(bold);
    return font;
}

void SetTextColor(QWidget* widget, const QColor& color) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    widget->setPalette(palette);
}

constexpr double kReadableContrast = 4.5;

double Linear(double channel) {
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double Luminance(QColor c) {
    return 0.2126 * Linear(c.redF()) + 0.7152 * Linear(c.greenF()) + 0.0722 * Linear(c.blueF());
}

}  // namespace

double ContrastRatio(QColor a, QColor b) {
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

bool NeedsDesignFace(const QPalette& system) {
    const QColor face = system.color(QPalette::Window);
    return ContrastRatio(face, kHighlight) < kReadableContrast ||
           ContrastRatio(face, system.color(QPalette::WindowText)) < kReadableContrast;
}

void KeepReadable(QWidget* window) {
    if (!NeedsDesignFace(window->palette())) return;
    QPalette palette = window->palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Window, kDesignFace);
        palette.setColor(group, QPalette::WindowText, Qt::black);
    }
    palette.setColor(QPalette::Disabled, QPalette::Window, kDesignFace);
    window->setPalette(palette);
}

QFont WindowFont() {
    return PixelFont(QStringLiteral("Tahoma"), false);
}

// The MS Sans Serif stand-in that wine ships has no bold face and Qt does not embolden it, which
// would leave the header regular; Tahoma, drawn by the same hand, keeps it bold.
QFont HeaderFont() {
    const QString family = QStringLiteral("MS Sans Serif");
    const QStringList styles = QFontDatabase::styles(family);
    const bool hasBold = std::any_of(styles.begin(), styles.end(), [&](const QString& style) {
        return QFontDatabase::weight(family, style) >= QFont::Bold;
    });
    return PixelFont(hasBold ? family : QStringLiteral("Tahoma"), true);
}

QFrame* MakePanel(QWidget* parent, QRect rect, const QColor* background) {
    auto* panel = new QFrame(parent);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(1);
    panel->setGeometry(rect);
    if (background != nullptr) {
        QPalette palette = panel->palette();
        palette.setColor(QPalette::Window, *background);
        panel->setPalette(palette);
        panel->setAutoFillBackground(true);
    }
    return panel;
}

QLabel* MakeAutoLabel(QWidget* parent, QPoint at, const QString& text) {
    auto* label = new QLabel(parent);
    label->move(at);
    SetAutoText(label, text);
    return label;
}

QLabel* MakeCaption(QWidget* parent, QPoint at, const QString& text) {
    QLabel* label = MakeAutoLabel(parent, at, QString());
    label->setFont(WindowFont());
    SetTextColor(label, kHighlight);
    SetAutoText(label, text);
    return label;
}

QLabel* MakeFixedLabel(QWidget* parent, QRect rect, Qt::Alignment alignment, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(rect);
    label->setAlignment(alignment | Qt::AlignVCenter);
    return label;
}

QLabel* MakeImage(QWidget* parent, QPoint at, const QString& name) {
    auto* image = new QLabel(parent);
    image->setObjectName(name);
    image->setGeometry(QRect(at, QSize(kIconSize, kIconSize)));
    image->setAlignment(Qt::AlignCenter);
    return image;
}

void SetAutoText(QLabel* label, const QString& text) {
    label->setText(text);
    label->resize(label->sizeHint().width(), std::max(kTextHeight, label->sizeHint().height()));
}

}  // namespace InfosLayout
