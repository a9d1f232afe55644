#pragma once

#include <QAccessible>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <optional>
#include <vector>

#include "DiskUtils.h"
#include "Squarify.h"
#include "TileColours.h"

class QHelpEvent;

namespace growthmap {

// One child of the shown folder, as the map draws it.
struct MapEntry {
    QString name;
    std::int64_t bytes = 0;  // allocated
    // Against the compared snapshot; none where it is not known.
    std::optional<std::int64_t> change;
    std::optional<double> bytesPerDay;
};

}  // namespace growthmap

// The children of one folder as a squarified treemap: area is size, colour is the change
// against the compared snapshot (warm grew, cool shrank, neutral unchanged), or the size alone
// when there is none to compare with; a line under the tiles says which. One tile is current:
// a click or an arrow key makes it so, and a double click or Enter asks to go into it.
class TGrowthMap : public QWidget {
    Q_OBJECT

public:
    explicit TGrowthMap(QWidget* parent = nullptr, DiskUtils::DisplayOptions display = {},
                        growthmap::MapLook look = {});

    // Replaces the tiles and clears the current one. `compared` says whether the entries'
    // changes are against an earlier snapshot.
    void SetEntries(std::vector<growthmap::MapEntry> entries, bool compared);
    void SetDisplayOptions(const DiskUtils::DisplayOptions& display);

    int Count() const { return static_cast<int>(entries_.size()); }
    const growthmap::MapEntry& Entry(int index) const;
    bool Compared() const { return compared_; }

    // Marks `index` (-1 for none) as current without signalling it: the owner's own choice.
    void SetCurrent(int index);
    int Current() const { return current_; }
    // The tile the keyboard works on: the current one, else the largest.
    int FocusIndex() const;

    // In this widget's coordinates, aligned to device pixels; empty for a tile too small to
    // show. -1 where no tile is.
    QRectF TileRect(int index) const;
    int TileAt(const QPointF& point) const;

    QString TileDescription(int index) const;
    QString Legend() const;

signals:
    // The user made `index` current, by mouse or keyboard.
    void TileSelected(int index);
    // Double click or Enter: go into the folder of `index`.
    void TileActivated(int index);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void EnsureLayout() const;
    void EnsureLayout(qreal ratio) const;
    QRectF MapArea() const;
    QColor FillOf(int index) const;
    QString ByteText(std::int64_t bytes) const;
    QString SignedByteText(std::int64_t bytes) const;
    QString ChangeText(const growthmap::MapEntry& entry) const;
    void ShowToolTip(QHelpEvent* event);
    void MakeCurrent(int index);
    void Announce(QAccessible::Event type);

    void PaintTiles(QPainter& painter) const;
    void PaintLabel(QPainter& painter, int index) const;
    void PaintCurrent(QPainter& painter) const;
    void PaintLegend(QPainter& painter) const;

    std::vector<growthmap::MapEntry> entries_;
    bool compared_ = false;
    std::int64_t largest_ = 0;
    DiskUtils::DisplayOptions display_;
    growthmap::MapLook look_;
    int current_ = -1;
    // Laid out when first needed after a change of entries, size or screen ratio.
    mutable std::vector<growthmap::Box> tiles_;
    mutable QSizeF laidOutSize_;
    mutable qreal laidOutRatio_ = 0;
    mutable bool layoutValid_ = false;
};
