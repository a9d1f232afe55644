#include "DriveListAccessible.h"

#include <QAccessibleWidget>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QPointer>
#include <QStringList>
#include <QWindow>
#include <vector>

#include "OwnerDrawList.h"

namespace {

// One row: it holds no widget of its own, only its list and its place in it, and reads
// everything from the list when asked, so it never shows a stale row.
class RowInterface : public QAccessibleInterface {
public:
    RowInterface(TOwnerDrawList* list, int index) : list_(list), index_(index) {}

    const TOwnerDrawList* List() const { return list_.data(); }
    int Index() const { return index_; }

    bool isValid() const override { return list_ && index_ < list_->Count(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return list_ ? list_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(list_.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    void setText(QAccessible::Text, const QString&) override {}

    QString text(QAccessible::Text t) const override {
        if (!isValid()) return {};
        const AccessibleRowText row = list_->AccessibleText(index_);
        if (t == QAccessible::Name) return row.Name;
        if (t == QAccessible::Description) return row.Description;
        return {};
    }

    QRect rect() const override {
        if (!isValid()) return {};
        const QRect local = list_->RowRect(index_);
        return QRect(list_->mapToGlobal(local.topLeft()), local.size());
    }

    QAccessible::State state() const override {
        QAccessible::State state;
        state.selectable = true;
        state.focusable = true;
        if (!isValid()) return state;
        state.selected = list_->ItemIndex() == index_;
        state.focused = list_->hasFocus() && list_->FocusIndex() == index_;
        state.invisible = !list_->isVisible();
        state.offscreen = list_->visibleRegion().intersected(list_->RowRect(index_)).isEmpty();
        return state;
    }

private:
    QPointer<TOwnerDrawList> list_;
    int index_;
};

// The list: its children are created on demand and kept, registered with Qt's accessibility
// cache, until the list goes away; a row beyond the current count reports itself invalid.
class ListInterface : public QAccessibleWidget {
public:
    explicit ListInterface(TOwnerDrawList* list) : QAccessibleWidget(list, QAccessible::List) {}

    ~ListInterface() override {
        for (QAccessible::Id id : rows_)
            if (id != 0) QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return List()->Count(); }

    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount()) return nullptr;
        if (static_cast<std::size_t>(index) >= rows_.size()) rows_.resize(index + 1, 0);
        QAccessible::Id& id = rows_[static_cast<std::size_t>(index)];
        if (id == 0) id = QAccessible::registerAccessibleInterface(new RowInterface(List(), index));
        return QAccessible::accessibleInterface(id);
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        const auto* row = dynamic_cast<const RowInterface*>(child);
        if (!row || row->List() != List() || row->Index() >= childCount()) return -1;
        return row->Index();
    }

    QAccessibleInterface* childAt(int x, int y) const override {
        const QPoint local = List()->mapFromGlobal(QPoint(x, y));
        return List()->rect().contains(local) ? child(List()->RowAt(local.y())) : nullptr;
    }

    QAccessibleInterface* focusChild() const override {
        return List()->hasFocus() ? child(List()->FocusIndex()) : nullptr;
    }

    // The context menu at the selected row, as the Menu key opens it: a screen reader's way
    // to the menu where it cannot send keys, such as a Wayland session.
    QStringList actionNames() const override {
        return QAccessibleWidget::actionNames() << showMenuAction();
    }

    void doAction(const QString& name) override {
        if (name != showMenuAction()) return QAccessibleWidget::doAction(name);
        QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(), QPoint());
        QCoreApplication::sendEvent(List(), &event);
    }

private:
    TOwnerDrawList* List() const { return static_cast<TOwnerDrawList*>(widget()); }

    mutable std::vector<QAccessible::Id> rows_;
};

}  // namespace

QAccessibleInterface* DriveListAccessibleFactory(const QString& className, QObject* object) {
    if (auto* list = qobject_cast<TOwnerDrawList*>(object)) return new ListInterface(list);
    // Plain widgets are announced as fillers; the program's own windows say that they are
    // windows (the picture about box is a dialog, which Qt reports as such).
    static const QStringList windows{QStringLiteral("TFrmMain"), QStringLiteral("TFrmDiskInfo"),
                                     QStringLiteral("TFrmAbout"), QStringLiteral("TFrmHistory"),
                                     QStringLiteral("TFrmSpace")};
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget && widget->isWindow() && windows.contains(className))
        return new QAccessibleWidget(widget, QAccessible::Window);
    // The history window's chart, read out by its summary.
    if (widget && className == QLatin1String("THistoryChart"))
        return new QAccessibleWidget(widget, QAccessible::Chart);
    return nullptr;
}

void InstallDriveListAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(&DriveListAccessibleFactory);
        return true;
    }();
    (void)installed;
}
