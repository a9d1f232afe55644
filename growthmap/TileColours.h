#pragma once

#include <QColor>
#include <cstdint>
#include <optional>

// The colour of a tile: what it changed by against the compared snapshot, or, without one,
// how big it is next to the largest.
namespace growthmap {

struct MapLook {
    QColor grew{208, 72, 40};
    QColor shrank{48, 112, 200};
    QColor unchanged{200, 200, 194};
    QColor smallest{228, 234, 216};
    QColor largest{104, 138, 92};
    QColor gap{255, 255, 255};
    QColor darkText{0, 0, 0};
    QColor lightText{255, 255, 255};
};

// A change of this share of the larger of before and after shows at full strength; smaller
// ones fade towards the neutral colour along a square root, so that a few per cent still show.
inline constexpr double kFullStrengthShare = 0.5;

// `change` is none where the change is not known; such a tile stays neutral.
QColor ChangeColour(std::int64_t bytes, std::optional<std::int64_t> change, const MapLook& look);
QColor SizeColour(std::int64_t bytes, std::int64_t largest, const MapLook& look);
// Black or white, whichever reads better on `fill`.
QColor TextColourOn(const QColor& fill, const MapLook& look);

}  // namespace growthmap
