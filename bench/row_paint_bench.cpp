// One drive row painted at the device pixel ratios of common scaled screens (the argument is
// the ratio in per cent): at 100 % from the 1x images, above it from the 2x images.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "Fonts.h"
#include "RowPainter.h"

namespace {

struct Images {
    Images() {
        static int argc = 1;
        static char name[] = "vollmark-bench-row";
        static char* argv[] = {name, nullptr};
        static QApplication app(argc, argv);
        SetUpFonts();
        LoadListImages(oneX);
        LoadListImages2x(twoX);
    }
    ListImageTable oneX;
    ListImageTable twoX;
};

void BM_PaintRow(benchmark::State& state) {
    static Images images;
    RowContent content;
    content.RowText = "C:";
    content.Label = "SYSTEM";
    content.BracketText = "[NTFS - Local drive]";
    content.TotalText = "250,059.35 Go";
    content.FreeText = "158,512.02 Go";
    content.UsedText = "91,547.33 Go";
    content.PercentText = "36.6 %";
    content.BarLength = 174;
    const QFont font = ListFont();
    QImage row = NewRowImage(state.range(0) / 100.0);
    for (auto _ : state) {
        PaintRow(row, images.oneX, images.twoX, RowKind::Drive, false, Qt::white, content, font);
        benchmark::DoNotOptimize(row.constBits());
    }
}
BENCHMARK(BM_PaintRow)->Arg(100)->Arg(125)->Arg(150)->Arg(200)->Unit(benchmark::kMicrosecond);

}  // namespace
