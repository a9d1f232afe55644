#include "GrowthMap.h"

#include <QAccessible>
#include <QFocusEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "GrowthMapAccessible.h"
#include "TileNavigation.h"

using growthmap::Box;
using growthmap::Direction;
using growthmap::MapEntry;

namespace {

constexpr int kLegendPadding = 3;
constexpr int kLabelPadding = 3;
// Narrower tiles carry no label: a few letters and an ellipsis say nothing.
constexpr int kLabelMinWidth = 36;

double Snapped(double edge, qreal ratio) {
    return std::round(edge * ratio) / ratio;
}

Box SnappedBox(const Box& box, qreal ratio) {
    return {Snapped(box.left, ratio), Snapped(box.top, ratio), Snapped(box.right, ratio),
            Snapped(box.bottom, ratio)};
}

QRectF RectOf(const Box& box) {
    return QRectF(QPointF(box.left, box.top), QPointF(box.right, box.bottom));
}

// A frame of `width` inside `rect`, as four fills, so it stays on whole device pixels.
void FillFrame(QPainter& painter, const QRectF& rect, qreal width, const QColor& colour) {
    painter.fillRect(QRectF(rect.left(), rect.top(), rect.width(), width), colour);
    painter.fillRect(QRectF(rect.left(), rect.bottom() - width, rect.width(), width), colour);
    painter.fillRect(QRectF(rect.left(), rect.top(), width, rect.height()), colour);
    painter.fillRect(QRectF(rect.right() - width, rect.top(), width, rect.height()), colour);
}

std::optional<Direction> DirectionOf(int key) {
    switch (key) {
        case Qt::Key_Left:
            return Direction::Left;
        case Qt::Key_Right:
            return Direction::Right;
        case Qt::Key_Up:
            return Direction::Up;
        case Qt::Key_Down:
            return Direction::Down;
        default:
            return std::nullopt;
    }
}

}  // namespace

TGrowthMap::TGrowthMap(QWidget* parent, DiskUtils::DisplayOptions display, growthmap::MapLook look)
    : QWidget(parent), display_(std::move(display)), look_(std::move(look)) {
    // Before anything that announces a change: the first announcement fixes the interface
    // that screen readers get for the widget.
    InstallGrowthMapAccessibility();
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(120, 90);
    setAccessibleName(tr("Карта росту"));
    setAccessibleDescription(Legend());
}

void TGrowthMap::SetEntries(std::vector<MapEntry> entries, bool compared) {
    entries_ = std::move(entries);
    compared_ = compared;
    largest_ = 0;
    for (const MapEntry& entry : entries_) largest_ = std::max(largest_, entry.bytes);
    current_ = -1;
    layoutValid_ = false;
    setAccessibleDescription(Legend());
    Announce(QAccessible::ObjectReorder);
    update();
}

void TGrowthMap::SetDisplayOptions(const DiskUtils::DisplayOptions& display) {
    if (display == display_) return;
    display_ = display;
    update();
}

const MapEntry& TGrowthMap::Entry(int index) const {
    return entries_.at(static_cast<std::size_t>(index));
}

void TGrowthMap::SetCurrent(int index) {
    const int next = index >= 0 && index < Count() ? index : -1;
    if (next == current_) return;
    current_ = next;
    update();
    if (current_ >= 0) Announce(QAccessible::Selection);
    if (current_ >= 0 && hasFocus()) Announce(QAccessible::Focus);
}

void TGrowthMap::MakeCurrent(int index) {
    if (index < 0) return;
    SetCurrent(index);
    emit TileSelected(index);
}

// Screen readers follow the current tile through these; Qt drops them cheaply when none
// listens.
void TGrowthMap::Announce(QAccessible::Event type) {
    QAccessibleEvent event(this, type);
    if (type != QAccessible::ObjectReorder) event.setChild(FocusIndex());
    QAccessible::updateAccessibility(&event);
}

int TGrowthMap::FocusIndex() const {
    if (current_ >= 0) return current_;
    int largest = -1;
    for (int i = 0; i < Count(); ++i)
        if (Entry(i).bytes > 0 && (largest < 0 || Entry(i).bytes > Entry(largest).bytes))
            largest = i;
    return largest;
}

QRectF TGrowthMap::MapArea() const {
    const qreal legend = fontMetrics().height() + 2 * kLegendPadding;
    return QRectF(0, 0, width(), std::max<qreal>(0, height() - legend));
}

// Laid out in this widget's logical pixels, every edge then put on the device pixel grid.
void TGrowthMap::EnsureLayout() const {
    EnsureLayout(devicePixelRatioF());
}

void TGrowthMap::EnsureLayout(qreal ratio) const {
    if (layoutValid_ && laidOutSize_ == QSizeF(size()) && laidOutRatio_ == ratio) return;
    std::vector<std::int64_t> sizes;
    sizes.reserve(entries_.size());
    for (const MapEntry& entry : entries_) sizes.push_back(entry.bytes);
    const QRectF area = MapArea();
    tiles_ = growthmap::Squarify(sizes, {area.left(), area.top(), area.right(), area.bottom()});
    for (Box& tile : tiles_) tile = SnappedBox(tile, ratio);
    laidOutSize_ = size();
    laidOutRatio_ = ratio;
    layoutValid_ = true;
}

QRectF TGrowthMap::TileRect(int index) const {
    if (index < 0 || index >= Count()) return {};
    EnsureLayout();
    const Box& tile = tiles_[static_cast<std::size_t>(index)];
    return tile.Empty() ? QRectF() : RectOf(tile);
}

int TGrowthMap::TileAt(const QPointF& point) const {
    EnsureLayout();
    return growthmap::BoxAt(tiles_, point.x(), point.y());
}

QColor TGrowthMap::FillOf(int index) const {
    const MapEntry& entry = Entry(index);
    return compared_ ? growthmap::ChangeColour(entry.bytes, entry.change, look_)
                     : growthmap::SizeColour(entry.bytes, largest_, look_);
}

QString TGrowthMap::ByteText(std::int64_t bytes) const {
    return QString::fromStdString(DiskUtils::ByteCountText(bytes, display_, 2));
}

// "зміна +1.20 Go (+0.17 Go за день)", the sign written out either way, as the folder rows
// beside the map read.
QString TGrowthMap::ChangeText(const MapEntry& entry) const {
    if (!compared_) return {};
    if (!entry.change) return tr("зміна невідома");
    if (*entry.change == 0) return tr("без змін");
    QString text = tr("зміна %1").arg(SignedByteText(*entry.change));
    // A rate past what an int64 holds is no rate a folder has; it is left unsaid.
    if (entry.bytesPerDay && std::abs(*entry.bytesPerDay) < 9e18)
        text =
            tr("%1 (%2 за день)")
                .arg(text,
                     SignedByteText(static_cast<std::int64_t>(std::llround(*entry.bytesPerDay))));
    return text;
}

QString TGrowthMap::SignedByteText(std::int64_t bytes) const {
    const std::int64_t magnitude = bytes < 0 ? -std::max(bytes, -INT64_MAX) : bytes;
    return (bytes < 0 ? QStringLiteral("\u2212") : QStringLiteral("+")) + ByteText(magnitude);
}

QString TGrowthMap::TileDescription(int index) const {
    if (index < 0 || index >= Count()) return {};
    const MapEntry& entry = Entry(index);
    const QString change = ChangeText(entry);
    return change.isEmpty() ? ByteText(entry.bytes)
                            : tr("%1, %2").arg(ByteText(entry.bytes), change);
}

QString TGrowthMap::Legend() const {
    return compared_ ? tr("Площа плитки — розмір теки, колір — зміна: тепле зросло, холодне "
                          "зменшилося, сіре без змін")
                     : tr("Площа й колір плитки — розмір теки: раніших знімків немає, тож змін "
                          "не видно");
}

bool TGrowthMap::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        ShowToolTip(static_cast<QHelpEvent*>(event));
        return true;
    }
    return QWidget::event(event);
}

void TGrowthMap::ShowToolTip(QHelpEvent* event) {
    const int index = TileAt(event->pos());
    if (index < 0) {
        QToolTip::hideText();
        event->ignore();
        return;
    }
    const QString text = Entry(index).name + QLatin1Char('\n') + TileDescription(index);
    QToolTip::showText(event->globalPos(), text, this, TileRect(index).toAlignedRect());
}

void TGrowthMap::resizeEvent(QResizeEvent*) {
    layoutValid_ = false;
}

void TGrowthMap::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    MakeCurrent(TileAt(event->position()));
}

void TGrowthMap::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mouseDoubleClickEvent(event);
    const int index = TileAt(event->position());
    if (index >= 0) emit TileActivated(index);
}

void TGrowthMap::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const std::optional<Direction> direction = DirectionOf(event->key());
    if (direction && modifiers == Qt::NoModifier) {
        EnsureLayout();
        // The first arrow picks the tile the keyboard is on; later ones move from it.
        const int next =
            current_ < 0 ? FocusIndex() : growthmap::NeighbourOf(tiles_, current_, *direction);
        MakeCurrent(next);
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        modifiers == Qt::NoModifier && FocusIndex() >= 0) {
        emit TileActivated(FocusIndex());
        return;
    }
    QWidget::keyPressEvent(event);
}

void TGrowthMap::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
    if (FocusIndex() >= 0) Announce(QAccessible::Focus);
}

void TGrowthMap::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

void TGrowthMap::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // The painter's own scale, not the screen's: rendered into an image of another ratio the
    // tiles still fall on its pixels.
    EnsureLayout(painter.deviceTransform().m11());
    painter.fillRect(rect(), palette().color(QPalette::Window));
    painter.fillRect(MapArea(), look_.gap);
    PaintTiles(painter);
    PaintCurrent(painter);
    PaintLegend(painter);
}

// Each tile keeps a line of the gap colour on its right and bottom, so neighbours of the same
// colour stay apart: whole device pixels, one per whole step of the screen's ratio. Tiles too
// thin for it are filled whole.
void TGrowthMap::PaintTiles(QPainter& painter) const {
    const qreal gap = std::max<qreal>(1, std::floor(laidOutRatio_)) / laidOutRatio_;
    for (int i = 0; i < Count(); ++i) {
        const Box& tile = tiles_[static_cast<std::size_t>(i)];
        if (tile.Empty()) continue;
        QRectF fill = RectOf(tile);
        if (fill.width() > 2 * gap && fill.height() > 2 * gap) fill.adjust(0, 0, -gap, -gap);
        painter.fillRect(fill, FillOf(i));
    }
    for (int i = 0; i < Count(); ++i) PaintLabel(painter, i);
}

// The name, and the size under it where the tile is tall enough for both.
void TGrowthMap::PaintLabel(QPainter& painter, int index) const {
    const Box& tile = tiles_[static_cast<std::size_t>(index)];
    const QFontMetrics metrics = fontMetrics();
    if (tile.Width() < kLabelMinWidth || tile.Height() < metrics.height() + 2 * kLabelPadding)
        return;
    const QRectF inner =
        RectOf(tile).adjusted(kLabelPadding, kLabelPadding, -kLabelPadding - 1, -kLabelPadding - 1);
    const int width = static_cast<int>(inner.width());
    painter.setPen(TextColourOn(FillOf(index), look_));
    const MapEntry& entry = Entry(index);
    painter.drawText(inner, Qt::AlignLeft | Qt::AlignTop,
                     metrics.elidedText(entry.name, Qt::ElideRight, width));
    if (inner.height() < 2 * metrics.height()) return;
    painter.drawText(inner.adjusted(0, metrics.height(), 0, 0), Qt::AlignLeft | Qt::AlignTop,
                     metrics.elidedText(ByteText(entry.bytes), Qt::ElideRight, width));
}

// The current tile framed in the selection colour; while the map has the keyboard, the tile it
// works on, with a thicker frame.
void TGrowthMap::PaintCurrent(QPainter& painter) const {
    const int index = hasFocus() ? FocusIndex() : current_;
    if (index < 0) return;
    const Box& box = tiles_[static_cast<std::size_t>(index)];
    if (box.Empty()) return;
    const QRectF tile = RectOf(box);
    const qreal ratio = laidOutRatio_;
    const qreal width = std::max<qreal>(1, std::round((hasFocus() ? 3 : 2) * ratio)) / ratio;
    const qreal frame = std::min({width, tile.width() / 2, tile.height() / 2});
    FillFrame(painter, tile, frame, palette().color(QPalette::Highlight));
}

// Swatches with their words under the tiles: what grew, shrank and stayed, or that the colour
// follows the size because there is nothing to compare with.
void TGrowthMap::PaintLegend(QPainter& painter) const {
    // Without tiles, as while the first scan runs, there is nothing to explain.
    if (Count() == 0) return;
    const QFontMetrics metrics = fontMetrics();
    const QRectF area = MapArea();
    const qreal ratio = laidOutRatio_;
    const qreal swatch = std::round(metrics.ascent() * 0.8 * ratio) / ratio;
    const qreal top = area.bottom() + kLegendPadding;
    const qreal swatchTop = std::round((top + (metrics.height() - swatch) / 2) * ratio) / ratio;
    qreal x = kLegendPadding;
    painter.setPen(palette().color(QPalette::WindowText));
    const auto item = [&](const QColor& colour, const QString& words) {
        if (x >= width()) return;
        painter.fillRect(QRectF(x, swatchTop, swatch, swatch), colour);
        x += swatch + 4;
        const int room = std::max(0, static_cast<int>(width() - x - kLegendPadding));
        const QString shown = metrics.elidedText(words, Qt::ElideRight, room);
        painter.drawText(QRectF(x, top, room, metrics.height()), Qt::AlignLeft | Qt::AlignVCenter,
                         shown);
        x += metrics.horizontalAdvance(shown) + 10;
    };
    if (!compared_) {
        item(look_.largest, tr("Колір за розміром: раніших знімків немає"));
        return;
    }
    item(look_.grew, tr("зросло"));
    item(look_.shrank, tr("зменшилося"));
    item(look_.unchanged, tr("без змін"));
}
