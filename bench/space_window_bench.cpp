// The space window opened on the snapshot of a million-file drive, read from a history file
// with an earlier snapshot to compare it with, up to its first painted frame; against a bare
// Qt window of the same size in the same run.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEvent>
#include <QWidget>

#include "HistoryStore.h"
#include "MillionFiles.h"
#include "OwnerDrawList.h"
#include "SnapshotSource.h"
#include "SpaceForm.h"
#include "TempDir.h"

namespace {

constexpr std::int64_t kNow = 1'796'083'200;
constexpr std::int64_t kWeek = 7 * 24 * 3600;

QApplication& App() {
    static int argc = 1;
    static char name[] = "vollmark-bench-space";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

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

// The drive's snapshot now and a week ago (a tenth of its folders smaller then).
struct RecordedDrive {
    RecordedDrive() {
        scan::ScanResult scan = benchdata::MillionFiles();
        const std::uint64_t used = scan.folders[0].total.allocatedBytes;
        drive.totalBytes = static_cast<std::int64_t>(used * 2);
        drive.freeBytes = static_cast<std::int64_t>(used);
        auto opened = history::Store::Open(file, true);
        auto& store = std::get<std::unique_ptr<history::Store>>(opened);
        const history::Snapshot now =
            history::SnapshotOf(scan, "", history::SnapshotLine(used), kNow);
        for (std::size_t i = 0; i < scan.folders.size(); i += 10)
            scan.folders[i].total.allocatedBytes -= scan.folders[i].total.allocatedBytes / 4;
        const history::Snapshot before =
            history::SnapshotOf(scan, "", history::SnapshotLine(used), kNow - kWeek);
        if (store->RecordSnapshot(drive, before, kNow - kWeek) ||
            store->RecordSnapshot(drive, now, kNow))
            std::abort();
        folders = now.folders.size();
    }
    TempDir folder{"vollmark-space-bench"};
    std::string file = (folder / "history.sqlite").string();
    history::DriveSample drive{{0xC0FFEE, "/"}, 'C', "System", "ext4", 3, 0, 0};
    std::size_t folders = 0;
};

void BM_FirstPaint_SpaceWindow(benchmark::State& state) {
    App();
    const RecordedDrive recorded;
    for (auto _ : state) {
        TFrmSpace form(nullptr, folderview::StoreSnapshotSource(recorded.file),
                       [] { return kNow; });
        PaintWatch watch(form.Rows);
        form.ShowDrive(QStringLiteral("C: System"), recorded.drive);
        form.show();
        WaitForPaint(watch);
        if (form.Scanning() || form.ShownRows().empty()) state.SkipWithError("no snapshot shown");
    }
    state.counters["snapshotFolders"] = static_cast<double>(recorded.folders);
}
BENCHMARK(BM_FirstPaint_SpaceWindow)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FirstPaint_BareWindow(benchmark::State& state) {
    App();
    for (auto _ : state) {
        QWidget window;
        PaintWatch watch(&window);
        window.resize(900, 600);
        window.show();
        WaitForPaint(watch);
    }
}
BENCHMARK(BM_FirstPaint_BareWindow)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
