#include <benchmark/benchmark.h>

#include "ResourceImage.h"

namespace {

ResourceImage loaded(const char* name) {
    ResourceImage image;
    image.LoadFromResource(name);
    return image;
}

// Every visible row draws its background and its bar caps at each five-second repaint.
void BM_DrawRowBackground(benchmark::State& state) {
    const ResourceImage row = loaded("GOTH");
    QImage target(369, 54, QImage::Format_RGB32);
    for (auto _ : state) {
        row.Draw(target, 0, 0);
        benchmark::DoNotOptimize(target.constBits());
    }
}
BENCHMARK(BM_DrawRowBackground);

void BM_DrawBlendedCap(benchmark::State& state) {
    const ResourceImage cap = loaded("GGOODL");
    QImage target(369, 54, QImage::Format_RGB32);
    target.fill(Qt::white);
    for (auto _ : state) {
        cap.Draw(target, 159, 22);
        benchmark::DoNotOptimize(target.constBits());
    }
}
BENCHMARK(BM_DrawBlendedCap);

void BM_DrawDanceFrame(benchmark::State& state) {
    const ResourceImage frame = loaded("DANCE0");
    QImage target(512, 384, QImage::Format_RGB32);
    target.fill(Qt::black);
    for (auto _ : state) {
        frame.Draw(target, 201, 115);
        benchmark::DoNotOptimize(target.constBits());
    }
}
BENCHMARK(BM_DrawDanceFrame);

void BM_LoadImage(benchmark::State& state, const char* name) {
    for (auto _ : state) benchmark::DoNotOptimize(loaded(name).Width());
}
BENCHMARK_CAPTURE(BM_LoadImage, rowBackground, "GOTH");
BENCHMARK_CAPTURE(BM_LoadImage, aboutPicture, "ABOUT");
BENCHMARK_CAPTURE(BM_LoadImage, aboutBoxJpeg, "ABOUTBOX");

}  // namespace
