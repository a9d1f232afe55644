#include "GrowthMapAccessible.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <QWindow>
#include <vector>

#include "GrowthMap.h"

namespace {

// One tile: it keeps only its map and its place in it and reads the rest when asked, so a
// reader never hears a tile of a folder no longer shown.
class TileInterface : public QAccessibleInterface {
public:
    TileInterface(TGrowthMap* map, int index) : map_(map), index_(index) {}

    const TGrowthMap* Map() const { return map_.data(); }
    int Index() const { return index_; }

    bool isValid() const override { return map_ && index_ < map_->Count(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return map_ ? map_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(map_.data());
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
        if (t == QAccessible::Name) return map_->Entry(index_).name;
        if (t == QAccessible::Description) return map_->TileDescription(index_);
        return {};
    }

    QRect rect() const override {
        if (!isValid()) return {};
        const QRect local = map_->TileRect(index_).toAlignedRect();
        return QRect(map_->mapToGlobal(local.topLeft()), local.size());
    }

    QAccessible::State state() const override {
        QAccessible::State state;
        state.selectable = true;
        state.focusable = true;
        if (!isValid()) return state;
        state.selected = map_->Current() == index_;
        state.focused = map_->hasFocus() && map_->FocusIndex() == index_;
        // Tiles too small to see are still read out, marked as out of sight.
        state.invisible = !map_->isVisible();
        state.offscreen = map_->TileRect(index_).isEmpty();
        return state;
    }

private:
    QPointer<TGrowthMap> map_;
    int index_;
};

// The map: tiles are made on demand and kept, registered with Qt's accessibility cache, until
// the map goes; a tile beyond the current count reports itself invalid.
class MapInterface : public QAccessibleWidget {
public:
    explicit MapInterface(TGrowthMap* map) : QAccessibleWidget(map, QAccessible::List) {}

    ~MapInterface() override {
        for (QAccessible::Id id : tiles_)
            if (id != 0) QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return Map()->Count(); }

    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount()) return nullptr;
        if (static_cast<std::size_t>(index) >= tiles_.size()) tiles_.resize(index + 1, 0);
        QAccessible::Id& id = tiles_[static_cast<std::size_t>(index)];
        if (id == 0) id = QAccessible::registerAccessibleInterface(new TileInterface(Map(), index));
        return QAccessible::accessibleInterface(id);
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        const auto* tile = dynamic_cast<const TileInterface*>(child);
        if (!tile || tile->Map() != Map() || tile->Index() >= childCount()) return -1;
        return tile->Index();
    }

    QAccessibleInterface* childAt(int x, int y) const override {
        const int index = Map()->TileAt(Map()->mapFromGlobal(QPoint(x, y)));
        return index >= 0 ? child(index) : nullptr;
    }

    QAccessibleInterface* focusChild() const override {
        return Map()->hasFocus() ? child(Map()->FocusIndex()) : nullptr;
    }

private:
    TGrowthMap* Map() const { return static_cast<TGrowthMap*>(widget()); }

    mutable std::vector<QAccessible::Id> tiles_;
};

}  // namespace

QAccessibleInterface* GrowthMapAccessibleFactory(const QString&, QObject* object) {
    if (auto* map = qobject_cast<TGrowthMap*>(object)) return new MapInterface(map);
    return nullptr;
}

void InstallGrowthMapAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(&GrowthMapAccessibleFactory);
        return true;
    }();
    (void)installed;
}
