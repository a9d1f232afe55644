#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class QFrame;
class QLabel;
class QPalette;
class QWidget;

// Builders for the information window's components, laid out in pixels for 96 dots per inch.
namespace InfosLayout {

inline const QColor kHighlight{0x00, 0x40, 0x80};
// The light button face the highlight colour was chosen for.
inline const QColor kDesignFace{240, 240, 240};

// Contrast ratio of two opaque colours as accessibility guidelines define it: 1 to 21, and
// at least 4.5 for text to be readable.
double ContrastRatio(QColor a, QColor b);

// True where the theme's window face is too dark for the highlight captions or for its own
// text colour.
bool NeedsDesignFace(const QPalette& system);

// Gives `window` the design face and black text when its theme NeedsDesignFace, so that it
// looks as designed under a dark theme instead of putting dark blue on near-black; on a light
// theme it leaves the window alone.
void KeepReadable(QWidget* window);

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
