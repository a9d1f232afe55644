#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <array>
#include <memory>

#include "DriveListModel.h"
#include "ResourceImage.h"
#include "RowTexts.h"

// The row painter's ten images, in the order of ListImageNames.
enum ListImage {
    liBarLeftCap = 0,   // GGOODL
    liBarGreen = 1,     // GGOODM
    liBarRed = 2,       // GHUHOM
    liBarRightCap = 3,  // GHUHOR
    liLocalRow = 4,     // GDRV, then its selected variant
    liNetworkRow = 6,   // GNET, …
    liDriveRow = 8,     // GOTH, …
};

inline constexpr std::array<const char*, 10> ListImageNames{
    "GGOODL", "GGOODM", "GHUHOM", "GHUHOR", "GDRV", "GDRVSL", "GNET", "GNETSL", "GOTH", "GOTHSL"};

// Entries stay empty when their loading failed, and the painters skip them.
using ListImageTable = std::array<std::unique_ptr<ResourceImage>, ListImageNames.size()>;

// Fills the table in index order; throws on the first image that cannot be loaded, leaving
// the ones before it in place.
void LoadListImages(ListImageTable& images);
// The same images drawn at twice the resolution ("GGOODL@2x", ...), for scaled screens; they
// are checked at once and decoded when first drawn.
void LoadListImages2x(ListImageTable& images);

inline constexpr int kRowWidth = 369;
inline constexpr int kRowHeight = 54;

// Rows are painted into an image of the row (Format_RGB32, top-left at 0, 0) so the alpha
// blend can read what lies beneath.
QImage NewRowImage();
// A row image for a screen of that device pixel ratio: enough device pixels to cover the row,
// tagged with the ratio so that painters keep working in row coordinates.
QImage NewRowImage(qreal ratio);

void DrawRowBackground(QImage& row, const ListImageTable& images, RowKind kind, bool selected,
                       QColor brush);
void DrawUsageBar(QImage& row, const ListImageTable& images, int barLength);
void DrawRowTexts(QImage& row, const RowContent& content, const QFont& listFont);

// A plain pixel copy of the source's first column, repeated over `width` columns from
// (x, y); rows beyond the source's height are left alone.
void StretchColumn(QImage& target, const QImage& source, int x, int y, int width);

// Whether DrawRowTexts shortens the row's label to keep it clear of the bracket text.
bool LabelShortened(const RowContent& content, const QFont& listFont);

// The whole row: background, bar, texts.
void PaintRow(QImage& row, const ListImageTable& images, RowKind kind, bool selected, QColor brush,
              const RowContent& content, const QFont& listFont);

// The whole row at the row image's device pixel ratio: at 1 exactly as above from `images`;
// at any other ratio the background and bar are assembled from `images2x` at twice the
// resolution, brought to the ratio, and the texts drawn at the ratio on top.
void PaintRow(QImage& row, const ListImageTable& images, const ListImageTable& images2x,
              RowKind kind, bool selected, QColor brush, const RowContent& content,
              const QFont& listFont);
