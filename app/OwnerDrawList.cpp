#include "OwnerDrawList.h"

#include <QAccessible>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QTimer>
#include <QToolTip>
#include <algorithm>
#include <cmath>

#include "DriveListAccessible.h"
#include "OsLayer.h"

TOwnerDrawList::TOwnerDrawList(int rowWidth, int rowHeight, QWidget* parent)
    : QWidget(parent), rowImage_(rowWidth, rowHeight, QImage::Format_RGB32), rowHeight_(rowHeight) {
    setFixedWidth(rowWidth);
    setFocusPolicy(Qt::StrongFocus);
    ApplyHeight();
    InstallDriveListAccessibility();
}

void TOwnerDrawList::SetCount(int count) {
    count_ = std::max(count, 0);
    itemIndex_ = -1;
    focusIndex_ = 0;
    ++generation_;
    AnnounceRowsReplaced();
    // The owner may rebuild the rows from inside this list's own paint. A resize there would
    // re-enter the paint machinery, so the new size, and the paint of the new rows with it,
    // follow once this paint is over.
    if (painting_) {
        QTimer::singleShot(0, this, &TOwnerDrawList::ApplyHeight);
        return;
    }
    ApplyHeight();
}

void TOwnerDrawList::ApplyHeight() {
    setFixedHeight(count_ * rowHeight_);
    update();
}

void TOwnerDrawList::SetItemIndex(int index) {
    const int next = index >= 0 && index < count_ ? index : -1;
    if (next == itemIndex_) return;
    itemIndex_ = next;
    if (next >= 0) focusIndex_ = next;
    update();
    AnnounceSelection();
    emit SelectionChanged(itemIndex_);
}

// Screen readers follow the selection through these events; Qt drops them cheaply when no
// reader is listening.
void TOwnerDrawList::AnnounceSelection() {
    if (itemIndex_ < 0) return;
    QAccessibleEvent selection(this, QAccessible::Selection);
    selection.setChild(itemIndex_);
    QAccessible::updateAccessibility(&selection);
    if (!hasFocus()) return;
    QAccessibleEvent focus(this, QAccessible::Focus);
    focus.setChild(itemIndex_);
    QAccessible::updateAccessibility(&focus);
}

// Readers that keep a copy of the list's children drop it on this event, which newer AT-SPI
// bridges of Qt pass on as children-changed; older ones drop it and readers ask afresh.
void TOwnerDrawList::AnnounceRowsReplaced() {
    QAccessibleEvent reorder(this, QAccessible::ObjectReorder);
    QAccessible::updateAccessibility(&reorder);
}

AccessibleRowText TOwnerDrawList::AccessibleText(int index) const {
    if (!accessibleText_ || index < 0 || index >= count_) return {};
    return accessibleText_(index);
}

QRect TOwnerDrawList::RowRect(int index) const {
    return QRect(0, index * rowHeight_, width(), rowHeight_);
}

int TOwnerDrawList::RowAt(int y) const {
    if (y < 0) return -1;
    const int row = y / rowHeight_;
    return row < count_ ? row : -1;
}

void TOwnerDrawList::paintEvent(QPaintEvent* event) {
    // Drive rows re-read their drive as they are painted; one scan serves the whole repaint.
    const platform::ScanScope scan;
    QPainter painter(this);
    const QRect area = event->rect();
    painting_ = true;
    for (int index = std::max(area.top() / rowHeight_, 0);
         index < count_ && index * rowHeight_ <= area.bottom(); ++index) {
        if (!PaintRow(painter, index)) break;
    }
    painting_ = false;
}

// False when the owner rebuilt the rows while painting this one: the row is dropped, and
// the repaint that the rebuild queued draws the new rows.
bool TOwnerDrawList::PaintRow(QPainter& painter, int index) {
    const unsigned generation = generation_;
    const bool selected = index == itemIndex_;
    MatchRowImageToScreen();
    rowImage_.fill(palette().color(selected ? QPalette::Highlight : QPalette::Base));
    if (drawItem_) drawItem_(index, rowImage_, selected);
    if (generation != generation_) return false;
    const QRect rect(0, index * rowHeight_, width(), rowHeight_);
    painter.drawImage(rect.topLeft(), rowImage_);
    if (showFocusCue_ && hasFocus() && index == focusIndex_) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
    return true;
}

// On a scaled screen the row is painted with as many pixels as the screen shows for it, so
// nothing gets stretched on its way there; the list may move between screens of different
// ratios at any time.
void TOwnerDrawList::MatchRowImageToScreen() {
    const qreal ratio = devicePixelRatioF();
    if (qFuzzyCompare(rowImage_.devicePixelRatio(), ratio)) return;
    rowImage_ = QImage(static_cast<int>(std::ceil(width() * ratio)),
                       static_cast<int>(std::ceil(rowHeight_ * ratio)), QImage::Format_RGB32);
    rowImage_.setDevicePixelRatio(ratio);
}

void TOwnerDrawList::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const int row = RowAt(event->position().toPoint().y());
    if (row >= 0) SetItemIndex(row);
}

void TOwnerDrawList::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit DblClick();
}

std::optional<int> TOwnerDrawList::TargetRow(int key) const {
    const int current = itemIndex_ >= 0 ? itemIndex_ : focusIndex_;
    if (key == Qt::Key_Up) return current - 1;
    // With nothing selected the first step selects the row that has the focus.
    if (key == Qt::Key_Down) return itemIndex_ >= 0 ? current + 1 : current;
    if (key == Qt::Key_Home) return 0;
    if (key == Qt::Key_End) return count_ - 1;
    return std::nullopt;
}

void TOwnerDrawList::keyPressEvent(QKeyEvent* event) {
    if (HandleCommandKey(*event)) return;
    const std::optional<int> target = TargetRow(event->key());
    if (!target) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (count_ == 0) return;
    showFocusCue_ = true;
    SetItemIndex(std::clamp(*target, 0, count_ - 1));
    update();
    emit KeyboardSelected(itemIndex_);
}

// Shift+F10 is the desktop's other context-menu key; X11 delivers it as a plain key press.
bool TOwnerDrawList::HandleCommandKey(const QKeyEvent& event) {
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    if (event.key() == Qt::Key_F10 && modifiers == Qt::ShiftModifier) {
        emit ContextPopup(KeyboardMenuAnchor());
        return true;
    }
    const bool enter = event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
    if (!enter || modifiers != Qt::NoModifier) return false;
    if (itemIndex_ >= 0) emit ItemActivated(itemIndex_);
    return true;
}

// Menus opened from the keyboard appear at the selected row rather than at the middle of a
// list that may be taller than the window; the anchor is kept inside the part on screen.
QPoint TOwnerDrawList::KeyboardMenuAnchor() const {
    const int row = itemIndex_ >= 0 ? itemIndex_ : focusIndex_;
    QPoint anchor(width() / 2, row * rowHeight_ + rowHeight_ / 2);
    const QRect shown = visibleRegion().boundingRect();
    if (!shown.isEmpty()) {
        anchor.setY(std::clamp(anchor.y(), shown.top(), shown.bottom()));
    }
    return mapToGlobal(anchor);
}

void TOwnerDrawList::contextMenuEvent(QContextMenuEvent* event) {
    const bool fromKeyboard = event->reason() == QContextMenuEvent::Keyboard;
    emit ContextPopup(fromKeyboard ? KeyboardMenuAnchor() : event->globalPos());
}

bool TOwnerDrawList::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QWidget::event(event);
    ShowRowToolTip(static_cast<QHelpEvent*>(event));
    return true;
}

// Like QWidget's own tooltips, an event that shows nothing is ignored.
void TOwnerDrawList::ShowRowToolTip(QHelpEvent* event) {
    const int row = RowAt(event->pos().y());
    const QString text = row >= 0 && toolTip_ ? toolTip_(row) : QString();
    if (text.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
        return;
    }
    // Tied to the row's rectangle, so moving to another row asks again.
    const QRect rowRect(0, row * rowHeight_, width(), rowHeight_);
    QToolTip::showText(event->globalPos(), text, this, rowRect);
}
