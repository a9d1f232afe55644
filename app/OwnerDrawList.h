#pragma once

#include <QImage>
#include <QWidget>
#include <functional>
#include <optional>

#include "RowAccessibleText.h"

class QHelpEvent;

// A list without a scroll bar of its own whose fixed-height rows are painted by the owner,
// each into an image of the row that is then copied to the screen. It knows only how many
// rows there are and which one is selected; the owner holds what they show.
class TOwnerDrawList : public QWidget {
    Q_OBJECT

public:
    // Paints row `index` into `row`, already sized to the row.
    using DrawItemHandler = std::function<void(int index, QImage& row, bool selected)>;
    // The tooltip of row `index`; an empty text shows none.
    using ToolTipHandler = std::function<QString(int index)>;

    TOwnerDrawList(int rowWidth, int rowHeight, QWidget* parent = nullptr);

    void SetDrawItem(DrawItemHandler handler) { drawItem_ = std::move(handler); }
    void SetToolTip(ToolTipHandler handler) { toolTip_ = std::move(handler); }

    // What screen readers are told about row `index`; asked whenever they look.
    using AccessibleTextHandler = std::function<AccessibleRowText(int index)>;
    void SetAccessibleText(AccessibleTextHandler handler) { accessibleText_ = std::move(handler); }
    AccessibleRowText AccessibleText(int index) const;

    // Replaces the rows: the selection is cleared and the list is sized to hold every row.
    void SetCount(int count);
    int Count() const { return count_; }

    // -1 when no row is selected.
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int index);

    int RowAt(int y) const;
    QRect RowRect(int index) const;
    // The row the keyboard works on; the selected one when there is one.
    int FocusIndex() const { return focusIndex_; }

signals:
    void DblClick();
    void ContextPopup(const QPoint& globalPos);
    // The keyboard moved the selection; the owner may scroll the row into view.
    void KeyboardSelected(int index);
    // Return or Enter on the selected row.
    void ItemActivated(int index);
    // The selection moved, by any means; -1 when none is left.
    void SelectionChanged(int index);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    bool PaintRow(QPainter& painter, int index);
    void MatchRowImageToScreen();
    void AnnounceSelection();
    void AnnounceRowsReplaced();
    std::optional<int> TargetRow(int key) const;
    bool HandleCommandKey(const QKeyEvent& event);
    QPoint KeyboardMenuAnchor() const;
    void ShowRowToolTip(QHelpEvent* event);
    void ApplyHeight();

    DrawItemHandler drawItem_;
    ToolTipHandler toolTip_;
    AccessibleTextHandler accessibleText_;
    QImage rowImage_;
    int rowHeight_;
    int count_ = 0;
    int itemIndex_ = -1;
    int focusIndex_ = 0;
    // Bumped whenever the rows are replaced, so a paint can tell that its owner rebuilt them.
    unsigned generation_ = 0;
    bool painting_ = false;
    // Focus rectangles only once the keyboard has been used, as desktop lists do.
    bool showFocusCue_ = false;
};
