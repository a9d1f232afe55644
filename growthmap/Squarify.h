#pragma once

#include <cstdint>
#include <span>
#include <vector>

// The squarified treemap layout of Bruls, Huizing and van Wijk: sizes and a rectangle in, one
// rectangle per size out, each with an area in proportion to its size and sides as near to a
// square as placing the sizes row by row, largest first, allows. Pure and deterministic.
namespace growthmap {

// Held as edges, not as a corner and an extent: neighbours share the very same coordinate, so
// rounding every edge to device pixels the same way keeps the tiling free of gaps and overlaps.
struct Box {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;

    double Width() const { return right - left; }
    double Height() const { return bottom - top; }
    double Area() const { return Width() * Height(); }
    bool Empty() const { return !(right > left && bottom > top); }
    friend bool operator==(const Box&, const Box&) = default;
};

// One box per size, in the order of `sizes`. The boxes of the positive sizes tile `area`
// exactly; a zero or negative size gets an empty box at the area's bottom-right corner. Equal
// sizes are placed in the order they come in. A size too small for the precision of a double
// next to the others may get an empty box too.
std::vector<Box> Squarify(std::span<const std::int64_t> sizes, const Box& area);

}  // namespace growthmap
