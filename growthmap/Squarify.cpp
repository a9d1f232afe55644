#include "Squarify.h"

#include <algorithm>
#include <limits>

namespace growthmap {
namespace {

// The indices of the positive sizes, largest first, equal ones in their input order.
std::vector<std::size_t> PlacingOrder(std::span<const std::int64_t> sizes) {
    std::vector<std::size_t> order;
    order.reserve(sizes.size());
    for (std::size_t i = 0; i < sizes.size(); ++i)
        if (sizes[i] > 0) order.push_back(i);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return sizes[a] > sizes[b]; });
    return order;
}

// The worst aspect ratio of a row of boxes with areas summing to `sum`, the largest `largest`
// and the smallest `smallest`, laid along a side of length `side`.
double WorstRatio(double largest, double smallest, double sum, double side) {
    const double sideSquared = side * side;
    const double sumSquared = sum * sum;
    return std::max(sideSquared * largest / sumSquared, sumSquared / (sideSquared * smallest));
}

class Layout {
public:
    Layout(std::span<const std::int64_t> sizes, const Box& area)
        : sizes_(sizes), order_(PlacingOrder(sizes)), remaining_(area) {
        // Sums in long double: a hundred thousand sizes of many terabytes each would lose
        // the small ones in a double, and overflow an int64.
        for (std::size_t index : order_) left_ += static_cast<long double>(sizes_[index]);
    }

    std::vector<Box> Run() {
        const Box corner{remaining_.right, remaining_.bottom, remaining_.right, remaining_.bottom};
        boxes_.assign(sizes_.size(), corner);
        if (remaining_.Empty()) return std::move(boxes_);
        for (std::size_t first = 0; first < order_.size();) first = PlaceRow(first);
        return std::move(boxes_);
    }

private:
    // Lays the next row along the shorter side of what is left, as long as each added size
    // makes the row's worst ratio no worse; returns the first size of the row after it.
    std::size_t PlaceRow(std::size_t first) {
        const bool column = remaining_.Width() >= remaining_.Height();
        const double side = column ? remaining_.Height() : remaining_.Width();
        const double perByte = static_cast<double>(remaining_.Area() / left_);
        const double largest = Size(first) * perByte;
        double sum = 0;
        double worst = std::numeric_limits<double>::infinity();
        std::size_t end = first;
        for (; end < order_.size(); ++end) {
            const double area = Size(end) * perByte;
            const double ratio = WorstRatio(largest, area, sum + area, side);
            if (end > first && ratio > worst) break;
            sum += area;
            worst = ratio;
        }
        Fill(first, end, column);
        return end;
    }

    // Cuts the row's strip off what is left and divides it among the row's sizes by their
    // running sums, so that the last box ends exactly where the strip does.
    void Fill(std::size_t first, std::size_t end, bool column) {
        long double rowBytes = 0;
        for (std::size_t i = first; i < end; ++i) rowBytes += Size(i);
        const bool last = end == order_.size();
        const double share = last ? 1.0 : static_cast<double>(rowBytes / left_);
        Box strip = remaining_;
        if (column) {
            strip.right =
                last ? remaining_.right
                     : std::min(remaining_.right, remaining_.left + remaining_.Width() * share);
            remaining_.left = strip.right;
        } else {
            strip.bottom =
                last ? remaining_.bottom
                     : std::min(remaining_.bottom, remaining_.top + remaining_.Height() * share);
            remaining_.top = strip.bottom;
        }
        left_ -= rowBytes;

        long double before = 0;
        double from = column ? strip.top : strip.left;
        for (std::size_t i = first; i < end; ++i) {
            before += Size(i);
            const double to = i + 1 == end ? (column ? strip.bottom : strip.right)
                                           : Along(strip, column, before / rowBytes);
            Box& box = boxes_[order_[i]];
            box = strip;
            (column ? box.top : box.left) = from;
            (column ? box.bottom : box.right) = to;
            from = to;
        }
    }

    static double Along(const Box& strip, bool column, long double fraction) {
        const double start = column ? strip.top : strip.left;
        const double length = column ? strip.Height() : strip.Width();
        const double end = column ? strip.bottom : strip.right;
        return std::min(end, start + static_cast<double>(length * fraction));
    }

    double Size(std::size_t placed) const { return static_cast<double>(sizes_[order_[placed]]); }

    std::span<const std::int64_t> sizes_;
    std::vector<std::size_t> order_;
    Box remaining_;
    long double left_ = 0;
    std::vector<Box> boxes_;
};

}  // namespace

std::vector<Box> Squarify(std::span<const std::int64_t> sizes, const Box& area) {
    return Layout(sizes, area).Run();
}

}  // namespace growthmap
