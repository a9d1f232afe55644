// The growth map of a folder with the given number of children: the squarified layout alone,
// and the whole map (layout, tiles, labels, legend) painted into an 800 x 600 image at 100 %
// and 200 % (the second argument, in per cent). Run with QT_QPA_PLATFORM=offscreen.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <random>

#include "GrowthMap.h"
#include "Squarify.h"

namespace {

// Sizes as drives hold them: a few large folders and a long tail, each with some change.
std::vector<growthmap::MapEntry> Children(std::size_t count) {
    std::mt19937_64 random(42);
    std::lognormal_distribution<double> size(16.0, 3.0);
    std::uniform_real_distribution<double> change(-0.5, 0.5);
    std::vector<growthmap::MapEntry> entries;
    entries.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const auto bytes = static_cast<std::int64_t>(size(random)) + 1;
        entries.push_back({QStringLiteral("folder %1").arg(i), bytes,
                           static_cast<std::int64_t>(static_cast<double>(bytes) * change(random)),
                           std::nullopt});
    }
    return entries;
}

void BM_LayOutTiles(benchmark::State& state) {
    std::vector<std::int64_t> sizes;
    for (const auto& entry : Children(static_cast<std::size_t>(state.range(0))))
        sizes.push_back(entry.bytes);
    for (auto _ : state) {
        auto boxes = growthmap::Squarify(sizes, {0, 0, 800, 580});
        benchmark::DoNotOptimize(boxes.data());
    }
}
BENCHMARK(BM_LayOutTiles)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_PaintMap(benchmark::State& state) {
    static int argc = 1;
    static char name[] = "vollmark-bench-growth-map";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    const std::vector<growthmap::MapEntry> children =
        Children(static_cast<std::size_t>(state.range(0)));
    const qreal ratio = static_cast<qreal>(state.range(1)) / 100;
    TGrowthMap map;
    map.resize(800, 600);
    QImage image((QSizeF(map.size()) * ratio).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    for (auto _ : state) {
        map.SetEntries(children, true);
        map.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_PaintMap)
    ->Args({1000, 100})
    ->Args({1000, 200})
    ->Args({100000, 100})
    ->Args({100000, 200})
    ->Unit(benchmark::kMillisecond);

}  // namespace
