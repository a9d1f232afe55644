#include "FolderRowPainter.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace folderview {
namespace {

constexpr int kMargin = 8;
constexpr int kTopLine = 4;
constexpr int kLineGap = 2;
constexpr int kBarWidth = 120;
constexpr int kBarHeight = 10;
constexpr int kFilesLeft = kMargin + kBarWidth + 10;
const QColor kGrew(176, 48, 0);
const QColor kShrank(0, 80, 176);

// Texts anchored at their top-left corner, as the drive list places them.
void TextAt(QPainter& painter, int left, int top, const QString& text) {
    painter.drawText(left, top + painter.fontMetrics().ascent(), text);
}

int TextRightAligned(QPainter& painter, int right, int top, const QString& text) {
    const int left = right - painter.fontMetrics().horizontalAdvance(text);
    TextAt(painter, left, top, text);
    return left;
}

}  // namespace

int FolderRowHeight(const QFont& font) {
    return 2 * QFontMetrics(font).lineSpacing() + kLineGap + 2 * kTopLine;
}

QColor ChangeColour(Direction direction, const QPalette& palette, bool selected) {
    const QColor text = palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
    if (selected || direction == Direction::none) return text;
    return direction == Direction::grew ? kGrew : kShrank;
}

void DrawShareBar(QPainter& painter, const QRect& track, double share, const QPalette& palette,
                  bool selected) {
    const QColor ink = palette.color(selected ? QPalette::HighlightedText : QPalette::Highlight);
    painter.save();
    painter.setPen(Qt::NoPen);
    QColor trackColour = ink;
    trackColour.setAlphaF(0.2f);
    painter.setBrush(trackColour);
    painter.drawRect(track);
    const double filled = std::clamp(share, 0.0, 1.0) * track.width();
    painter.setBrush(ink);
    painter.drawRect(QRectF(track.left(), track.top(), filled, track.height()));
    painter.restore();
}

void PaintFolderRow(QImage& row, const FolderRowTexts& texts, const FolderRowLook& look,
                    const QPalette& palette, const QFont& font) {
    QPainter painter(&row);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const int width = kFolderRowWidth;
    const QColor text = palette.color(look.selected ? QPalette::HighlightedText : QPalette::Text);
    QFont nameFont = font;
    nameFont.setBold(look.bold);
    painter.setFont(font);
    painter.setPen(text);
    const int sizeLeft = TextRightAligned(painter, width - kMargin, kTopLine, texts.size);
    painter.setFont(nameFont);
    const QString name = painter.fontMetrics().elidedText(texts.name, Qt::ElideMiddle,
                                                          std::max(sizeLeft - 2 * kMargin, 0));
    TextAt(painter, kMargin, kTopLine, name);
    painter.setFont(font);
    const int bottomLine = kTopLine + painter.fontMetrics().lineSpacing() + kLineGap;
    const int barTop = bottomLine + (painter.fontMetrics().height() - kBarHeight) / 2;
    DrawShareBar(painter, QRect(kMargin, barTop, kBarWidth, kBarHeight), look.share, palette,
                 look.selected);
    painter.setPen(ChangeColour(look.direction, palette, look.selected));
    const int changeLeft = TextRightAligned(painter, width - kMargin, bottomLine, texts.change);
    painter.setPen(text);
    TextAt(painter, kFilesLeft, bottomLine,
           painter.fontMetrics().elidedText(texts.files, Qt::ElideRight,
                                            std::max(changeLeft - kMargin - kFilesLeft, 0)));
}

}  // namespace folderview
