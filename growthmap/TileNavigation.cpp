#include "TileNavigation.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace growthmap {
namespace {

// Edges that the layout shares are equal to the bit; this slack only forgives boxes that were
// rounded to device pixels on their own.
constexpr double kSlack = 1e-9;

struct Reach {
    double gap = 0;     // how far beyond the edge the box begins
    double offset = 0;  // how far the box keeps from the centre line across the move
};

// Where `box` lies as seen from `from` moving in `direction`; none when it is not beyond.
bool ReachOf(const Box& from, const Box& box, Direction direction, Reach& reach) {
    const bool across = direction == Direction::Left || direction == Direction::Right;
    switch (direction) {
        case Direction::Right:
            reach.gap = box.left - from.right;
            break;
        case Direction::Left:
            reach.gap = from.left - box.right;
            break;
        case Direction::Down:
            reach.gap = box.top - from.bottom;
            break;
        case Direction::Up:
            reach.gap = from.top - box.bottom;
            break;
    }
    if (reach.gap < -kSlack) return false;
    const double centre = across ? (from.top + from.bottom) / 2 : (from.left + from.right) / 2;
    const double low = across ? box.top : box.left;
    const double high = across ? box.bottom : box.right;
    reach.offset = centre < low ? low - centre : centre > high ? centre - high : 0;
    reach.gap = std::max(reach.gap, 0.0);
    return true;
}

}  // namespace

int BoxAt(const std::vector<Box>& boxes, double x, double y) {
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        const Box& box = boxes[i];
        if (!box.Empty() && x >= box.left && x < box.right && y >= box.top && y < box.bottom)
            return static_cast<int>(i);
    }
    return -1;
}

int NeighbourOf(const std::vector<Box>& boxes, int from, Direction direction) {
    if (from < 0 || static_cast<std::size_t>(from) >= boxes.size()) return -1;
    const Box& start = boxes[static_cast<std::size_t>(from)];
    if (start.Empty()) return -1;
    int best = -1;
    Reach bestReach{std::numeric_limits<double>::infinity(), 0};
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        Reach reach;
        if (static_cast<int>(i) == from || boxes[i].Empty() ||
            !ReachOf(start, boxes[i], direction, reach))
            continue;
        // The gap weighs as much as the offset: a box just across the edge but off to the side
        // loses to one straight ahead a little further on.
        const double score = reach.gap + reach.offset;
        const double bestScore = bestReach.gap + bestReach.offset;
        if (score < bestScore - kSlack ||
            (std::abs(score - bestScore) <= kSlack && reach.offset < bestReach.offset)) {
            best = static_cast<int>(i);
            bestReach = reach;
        }
    }
    return best;
}

}  // namespace growthmap
