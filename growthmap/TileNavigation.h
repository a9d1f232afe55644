#pragma once

#include <vector>

#include "Squarify.h"

// Which tile a point or an arrow key leads to, over tiles laid out by Squarify. Pure.
namespace growthmap {

enum class Direction { Left, Right, Up, Down };

// The index of the non-empty box holding `x`, `y` (left and top edges inside, right and bottom
// outside, so a point on a shared edge belongs to one box only), or -1.
int BoxAt(const std::vector<Box>& boxes, double x, double y);

// The non-empty box that the arrow in `direction` reaches from box `from`: of those lying
// wholly beyond `from`'s edge on that side, the nearest, and among equally near ones the one
// nearest the line through `from`'s centre. -1 when none lies that way or `from` is no box.
int NeighbourOf(const std::vector<Box>& boxes, int from, Direction direction);

}  // namespace growthmap
