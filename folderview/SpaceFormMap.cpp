#include <QLayout>
#include <algorithm>
#include <cstdint>

#include "GrowthMap.h"
#include "OwnerDrawList.h"
#include "SpaceForm.h"

// The map beside the rows shows the same rows as tiles, index for index: a tile clicked or
// reached by the arrows selects its row, a selected row is the current tile, and going into a
// tile goes into its row's folder.
void TFrmSpace::BuildMap() {
    Map = new TGrowthMap(MapHolder, display_);
    MapHolder->layout()->addWidget(Map);
    // Tab goes from the rows to their tiles before the list of files.
    setTabOrder(Rows, Map);
    connect(this, &TFrmSpace::ShownChanged, this, &TFrmSpace::FillMap);
    connect(this, &TFrmSpace::SelectedRowChanged, Map, &TGrowthMap::SetCurrent);
    connect(Map, &TGrowthMap::TileSelected, this, &TFrmSpace::SelectRow);
    connect(Map, &TGrowthMap::TileActivated, this, &TFrmSpace::GoInto);
    FillMap();
}

void TFrmSpace::FillMap() {
    std::vector<growthmap::MapEntry> entries;
    entries.reserve(rows_.size());
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const folderview::FolderRow& row = rows_[i];
        const auto bytes =
            static_cast<std::int64_t>(std::min<std::uint64_t>(row.allocatedBytes, INT64_MAX));
        entries.push_back(
            {TextsOf(static_cast<int>(i)).name, bytes, row.changeBytes, row.bytesPerDay});
    }
    Map->SetDisplayOptions(display_);
    Map->SetEntries(std::move(entries), Compared());
    Map->SetCurrent(SelectedRow());
}
