#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class QFrame;
class QLabel;
class QWidget;

// Builders for the information window's components, laid out in pixels for 96 dots per inch.
namespace InfosLayout {

inline const QColor kHighlight{0x00, 0x40, 0x80};

QFont WindowFont();
QFont HeaderFont();

// A panel with a one-pixel lowered bevel; `background` fills it when given.
QFrame* MakePanel(QWidget* parent, QRect rect, const QColor* background);
// A caption in the highlight colour that sizes itself to its text.
QLabel* MakeCaption(QWidget* parent, QPoint at, const QString& text);
// A label that sizes itself to its text.
QLabel* MakeAutoLabel(QWidget* parent, QPoint at, const QString& text);
QLabel* MakeFixedLabel(QWidget* parent, QRect rect, Qt::Alignment alignment, const QString& text);
// A 32 x 32 picture holder showing its picture centred.
QLabel* MakeImage(QWidget* parent, QPoint at, const QString& name);

void SetAutoText(QLabel* label, const QString& text);

}  // namespace InfosLayout
