#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "Squarify.h"

namespace {

using growthmap::Box;
using growthmap::Squarify;

// Folder sizes as drives have them: a few large, a long tail of small ones.
std::vector<std::int64_t> FolderSizes(std::size_t count, unsigned seed) {
    std::mt19937_64 random(seed);
    std::lognormal_distribution<double> size(16.0, 3.0);
    std::vector<std::int64_t> sizes;
    for (std::size_t i = 0; i < count; ++i)
        sizes.push_back(std::max<std::int64_t>(1, static_cast<std::int64_t>(size(random))));
    return sizes;
}

double Aspect(const Box& box) {
    return std::max(box.Width() / box.Height(), box.Height() / box.Width());
}

// Every pair of boxes that share a cell of a coarse grid, so that a hundred thousand boxes
// cost no more than a few thousand comparisons each.
std::size_t OverlappingPairs(const std::vector<Box>& boxes, const Box& area) {
    constexpr int kCells = 64;
    const double cellWidth = area.Width() / kCells;
    const double cellHeight = area.Height() / kCells;
    const auto cell = [](double at, double from, double size) {
        return std::clamp(static_cast<int>((at - from) / size), 0, kCells - 1);
    };
    std::map<int, std::vector<std::size_t>> members;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        const Box& box = boxes[i];
        if (box.Empty()) continue;
        for (int x = cell(box.left, area.left, cellWidth);
             x <= cell(box.right, area.left, cellWidth); ++x)
            for (int y = cell(box.top, area.top, cellHeight);
                 y <= cell(box.bottom, area.top, cellHeight); ++y)
                members[x * kCells + y].push_back(i);
    }
    std::size_t overlaps = 0;
    for (const auto& [key, inside] : members)
        for (std::size_t a = 0; a < inside.size(); ++a)
            for (std::size_t b = a + 1; b < inside.size(); ++b) {
                const Box& p = boxes[inside[a]];
                const Box& q = boxes[inside[b]];
                if (std::min(p.right, q.right) > std::max(p.left, q.left) &&
                    std::min(p.bottom, q.bottom) > std::max(p.top, q.top))
                    ++overlaps;
            }
    return overlaps;
}

struct LayoutCase {
    std::string name;
    std::vector<std::int64_t> sizes;
    Box area;
};

std::vector<LayoutCase> LayoutCases() {
    const Box pane{0, 0, 400, 300};
    std::vector<std::int64_t> mixed = FolderSizes(40, 7);
    mixed[3] = 0;
    mixed[17] = -5;
    mixed.push_back(0);
    std::vector<std::int64_t> equal(37, 4096);
    return {
        {"one folder", {123456}, pane},
        {"typical folders", FolderSizes(200, 1), pane},
        {"zero and negative sizes among them", mixed, pane},
        {"tiny beside huge", {4'000'000'000'000'000'000, 1, 1'000'000'000'000'000, 1, 7}, pane},
        {"equal sizes keep their order", equal, {10.5, 20.25, 333.75, 120.5}},
        {"a narrow strip", FolderSizes(60, 3), {0, 0, 900, 14}},
        {"a hundred thousand folders", FolderSizes(100'000, 2), {0, 0, 1920, 1080}},
    };
}

TEST(Squarify, layoutCases_tileTheAreaExactlyWithAreasInProportion) {
    for (const LayoutCase& c : LayoutCases()) {
        SCOPED_TRACE(c.name);
        const std::vector<Box> boxes = Squarify(c.sizes, c.area);
        ASSERT_EQ(boxes.size(), c.sizes.size());
        EXPECT_EQ(Squarify(c.sizes, c.area), boxes) << "the same input lays out the same";

        long double total = 0;
        for (std::int64_t size : c.sizes) total += size > 0 ? size : 0;
        double covered = 0;
        double worstError = 0;
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            const Box& box = boxes[i];
            if (c.sizes[i] <= 0) {
                EXPECT_TRUE(box.Empty()) << i;
                continue;
            }
            EXPECT_TRUE(box.left >= c.area.left && box.right <= c.area.right &&
                        box.top >= c.area.top && box.bottom <= c.area.bottom)
                << i;
            const double wanted = static_cast<double>(c.sizes[i] / total) * c.area.Area();
            worstError = std::max(worstError, std::abs(box.Area() - wanted));
            covered += box.Area();
        }
        EXPECT_NEAR(covered, c.area.Area(), c.area.Area() * 1e-9);
        EXPECT_LT(worstError, c.area.Area() * 1e-9);
        EXPECT_EQ(OverlappingPairs(boxes, c.area), 0u);
    }
}

// A slice layout cuts the area into strips across its longer side, as the plainest treemap
// does; the squarified one exists to beat it.
std::vector<Box> Sliced(const std::vector<std::int64_t>& sizes, const Box& area) {
    long double total = 0;
    for (std::int64_t size : sizes) total += size;
    std::vector<Box> boxes;
    double left = area.left;
    for (std::int64_t size : sizes) {
        const double right = left + area.Width() * static_cast<double>(size / total);
        boxes.push_back({left, area.top, right, area.bottom});
        left = right;
    }
    return boxes;
}

TEST(Squarify, typicalFolders_areFarSquarerThanSlices) {
    const Box pane{0, 0, 400, 300};
    for (unsigned seed : {11u, 12u, 13u}) {
        for (std::size_t count : {8u, 30u, 300u}) {
            SCOPED_TRACE(std::to_string(count) + " folders, seed " + std::to_string(seed));
            std::vector<std::int64_t> sizes = FolderSizes(count, seed);
            std::sort(sizes.rbegin(), sizes.rend());
            const auto meanAspect = [&](const std::vector<Box>& boxes) {
                double sum = 0;
                double weight = 0;
                // Weighted by area: what the eye sees is the large tiles.
                for (const Box& box : boxes) {
                    sum += Aspect(box) * box.Area();
                    weight += box.Area();
                }
                return sum / weight;
            };
            const double squarified = meanAspect(Squarify(sizes, pane));
            const double sliced = meanAspect(Sliced(sizes, pane));
            EXPECT_LT(squarified, 2.0);
            EXPECT_LT(squarified * 3, sliced);
        }
    }
}

TEST(Squarify, emptyArea_givesEveryFolderAnEmptyBox) {
    const std::vector<std::int64_t> sizes{5, 3, 1};
    for (const Box& area : {Box{0, 0, 0, 100}, Box{10, 10, 50, 10}, Box{5, 5, 1, 1}}) {
        for (const Box& box : Squarify(sizes, area)) EXPECT_TRUE(box.Empty());
    }
    EXPECT_TRUE(Squarify({}, {0, 0, 10, 10}).empty());
}

}  // namespace
