// Start-up to the first painted frame and the cost of one timer repaint of the main window,
// each against a bare Qt window of the same size in the same run. Every case reports the
// process's peak resident set so far.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <memory>

#include "FakeLayer.h"
#include "Fonts.h"
#include "MainForm.h"
#include "OwnerDrawList.h"

namespace {

constexpr int kDriveRows = 10;

QApplication& App() {
    static int argc = 1;
    static char name[] = "vollmark-bench-window";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        auto* created = new QApplication(argc, argv);
        SetUpFonts();
        return created;
    }();
    return *app;
}

// Notes whether a widget has been painted since it was last reset.
class PaintWatch : public QObject {
public:
    explicit PaintWatch(QWidget* widget) { widget->installEventFilter(this); }
    bool painted = false;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted = true;
        return false;
    }
};

void WaitForPaint(const PaintWatch& watch) {
    while (!watch.painted) QApplication::processEvents(QEventLoop::AllEvents, 5);
}

struct FakeDrives {
    FakeDrives() {
        for (int i = 0; i < kDriveRows; ++i) {
            auto& drive = fake->drive(static_cast<char>('C' + i));
            drive.totalBytes = 500'000'000'000LL + i * 7'000'000'000LL;
            drive.freeBytes = 120'000'000'000LL + i * 3'000'000'000LL;
            drive.volume = {"DATA" + std::to_string(i), "NTFS", 0x1234ABCDu + i, 255, 0};
            drive.type = i % 3 == 2 ? platform::kDriveRemote : platform::kDriveFixed;
        }
    }
    platform::ScopedFakeLayer fake;
};

void PeakRss(benchmark::State& state) {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_rss_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_FirstPaint_MainWindow(benchmark::State& state) {
    App();
    FakeDrives drives;
    for (auto _ : state) {
        TFrmMain form;
        PaintWatch watch(form.ListBox1);
        form.FormCreate();
        form.show();
        WaitForPaint(watch);
        state.PauseTiming();
        form.FormDestroy();
        state.ResumeTiming();
    }
    PeakRss(state);
}
BENCHMARK(BM_FirstPaint_MainWindow)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FirstPaint_BareWindow(benchmark::State& state) {
    App();
    for (auto _ : state) {
        QWidget window;
        PaintWatch watch(&window);
        window.resize(369, (kDriveRows + 2) * 54);
        window.show();
        WaitForPaint(watch);
    }
    PeakRss(state);
}
BENCHMARK(BM_FirstPaint_BareWindow)->Unit(benchmark::kMillisecond)->UseRealTime();

// What Timer1 causes: every visible row painted again, each drive row re-read.
void BM_TimerRepaint_MainWindow(benchmark::State& state) {
    App();
    FakeDrives drives;
    TFrmMain form;
    form.FormCreate();
    form.show();
    form.resize(369, (kDriveRows + 2) * 54);
    QApplication::processEvents();
    for (auto _ : state) form.ListBox1->repaint();
    form.FormDestroy();
    PeakRss(state);
}
BENCHMARK(BM_TimerRepaint_MainWindow)->Unit(benchmark::kMicrosecond);

// The whole tick: the repaint and the one scan of every drive that the window's added
// features read.
void BM_TimerTick_MainWindow(benchmark::State& state) {
    App();
    FakeDrives drives;
    TFrmMain form;
    form.FormCreate();
    form.show();
    form.resize(369, (kDriveRows + 2) * 54);
    QApplication::processEvents();
    for (auto _ : state) {
        form.Timer1Timer();
        form.ListBox1->repaint();
    }
    form.FormDestroy();
    PeakRss(state);
}
BENCHMARK(BM_TimerTick_MainWindow)->Unit(benchmark::kMicrosecond);

void BM_TimerRepaint_BareWindow(benchmark::State& state) {
    App();
    QWidget window;
    window.resize(369, (kDriveRows + 2) * 54);
    window.show();
    QApplication::processEvents();
    for (auto _ : state) window.repaint();
    PeakRss(state);
}
BENCHMARK(BM_TimerRepaint_BareWindow)->Unit(benchmark::kMicrosecond);

}  // namespace
