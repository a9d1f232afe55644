#pragma once

#include <QFont>
#include <QImage>
#include <QPalette>
#include <QString>

// One row of the space window, painted into the row's image by the owner-drawn list: the name
// and size on top; the share bar, the file count and the change below.
namespace folderview {

inline constexpr int kFolderRowWidth = 460;

// Two lines of `font` with room around them.
int FolderRowHeight(const QFont& font);

enum class Direction { none, grew, shrank };

struct FolderRowTexts {
    QString name;
    QString size;
    QString files;
    QString change;  // empty without an earlier snapshot
};

struct FolderRowLook {
    Direction direction = Direction::none;
    double share = 0;  // 0 to 1
    bool selected = false;
    bool bold = true;  // a folder one can go into
};

// The colours of the change: grew warm, shrank cool; the row's text colour when unchanged.
QColor ChangeColour(Direction direction, const QPalette& palette, bool selected);

void DrawShareBar(QPainter& painter, const QRect& track, double share, const QPalette& palette,
                  bool selected);

// The whole row; `row` may carry a device pixel ratio, the layout is in row points.
void PaintFolderRow(QImage& row, const FolderRowTexts& texts, const FolderRowLook& look,
                    const QPalette& palette, const QFont& font);

}  // namespace folderview
