#include <cstdio>
#include <filesystem>
#include <string_view>
#include <vector>

#include "DiskUtils.h"
#include "DriveReport.h"
#include "DriveSamples.h"
#include "Forecast.h"
#include "HistoryPath.h"
#include "ListImage.h"
#include "Metrics.h"
#include "Options.h"
#include "Output.h"
#include "ReplaceFile.h"
#include "Report.h"
#include "ScanRun.h"
#include "SnapshotRun.h"
#include "TimerWarnings.h"

// vollmark-drives with the usage history: --record, --history, --openmetrics, --scan, --grew
// and --record-snapshots. The tool hands such runs over to this program, so that its other runs
// never load SQLite.
namespace {

using drives::Fail;
using drives::Print;

// Reading needs no file: a history never recorded is an empty one, not an error.
history::Result<std::unique_ptr<history::Store>> OpenHistory(const drives::Options& options) {
    const auto path = history::DefaultHistoryFile(history::ProcessEnvironment);
    if (!path)
        return history::HistoryError{"no state folder: neither XDG_STATE_HOME nor HOME is set"};
    std::error_code ignored;
    if (!options.record && !std::filesystem::exists(*path, ignored))
        return std::unique_ptr<history::Store>();
    return history::Store::Open(*path, options.record);
}

// The forecast reads no further back than its rule looks.
const std::int64_t kForecastSpan = history::ForecastRule{}.longest.count();

std::vector<drives::DriveHistory> ReadHistory(history::Store& store, const DriveReport& report,
                                              std::int64_t now) {
    std::vector<drives::DriveHistory> views;
    for (const DriveRecord& record : report.Drives) {
        drives::DriveHistory view;
        const history::DriveKey key = history::KeyOf(record);
        auto samples = store.Samples(key, now - kForecastSpan);
        auto span = store.Span(key);
        const auto* error = std::get_if<history::HistoryError>(&samples);
        if (!error) error = std::get_if<history::HistoryError>(&span);
        if (error) {
            Fail(error->message, 1);
            return std::vector<drives::DriveHistory>(report.Drives.size());
        }
        const history::Forecast forecast =
            history::ForecastOf(std::get<std::vector<history::Sample>>(samples), now);
        view.fullInSeconds = forecast.fullInSeconds;
        view.trendBytesPerDay = forecast.trendBytesPerDay;
        view.samples = std::get<history::SampleSpan>(span).count;
        view.since = std::get<history::SampleSpan>(span).oldest;
        views.push_back(view);
    }
    return views;
}

// The history part of a run; false when a recording that was asked for failed. A recording
// leaves the store open in `recorded` for the warnings.
bool UseHistory(const drives::Options& options, const DriveReport& report,
                std::vector<drives::DriveHistory>& views,
                std::unique_ptr<history::Store>& recorded) {
    const std::int64_t now = history::SystemNow();
    views.assign(report.Drives.size(), {});
    auto opened = OpenHistory(options);
    if (auto* error = std::get_if<history::HistoryError>(&opened)) {
        Fail(error->message, 1);
        return !options.record;
    }
    auto& store = std::get<std::unique_ptr<history::Store>>(opened);
    if (!store) return true;
    if (options.record) {
        if (auto error = store->Record(history::SamplesOf(report.Drives), now)) {
            Fail(error->message, 1);
            return false;
        }
    }
    if (options.history || options.openMetrics) views = ReadHistory(*store, report, now);
    if (options.record) recorded = std::move(store);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    const auto parsed = drives::ParseOptions(args);
    if (const auto* error = std::get_if<drives::OptionError>(&parsed))
        return Fail(error->message, 2);
    const auto& options = std::get<drives::Options>(parsed);
    platform::installLayer(platform::createSystemLayer());
    DiskUtils::LoadNumberSeparators();
    drives::ApplyDisplayOptions(options);
    if (options.scan) return RunScan(options, history::SystemNow());
    if (options.grew) return drives::RunGrew(options, history::SystemNow());
    if (options.recordSnapshots) {
        AllowAllDescriptors();
        return drives::RecordSnapshots(history::SystemNow());
    }
    if (options.pngFile) {
        if (const auto error = drives::WriteListImage(*options.pngFile, options))
            return Fail(*error, 1);
    }
    const DriveReport report = ScanDrives();
    std::vector<drives::DriveHistory> views;
    std::unique_ptr<history::Store> recorded;
    int code = UseHistory(options, report, views, recorded) ? 0 : 1;

    const auto* shown = options.history ? &views : nullptr;
    if (options.openMetrics) {
        const std::string metrics = drives::FormatMetrics(report, views);
        if (options.openMetricsFile) {
            if (const auto error = drives::ReplaceFile(*options.openMetricsFile, metrics))
                code = Fail(*error, 1);
        } else if (!Print(metrics)) {
            return Fail("cannot write the metrics", 1);
        }
    }
    // Metrics on standard output are all of it; otherwise a recording prints only what is
    // asked for.
    const bool metricsOnly = options.openMetrics && !options.openMetricsFile;
    const bool asked = options.json || options.history || (!options.record && !options.openMetrics);
    if (asked && !metricsOnly) {
        const std::string text =
            options.json ? drives::FormatJson(report, shown) : drives::FormatTable(report, shown);
        if (!Print(text)) return Fail("cannot write the report", 1);
    }
    if (recorded && drives::NoticesMayBeDue(*recorded, report.Drives, history::SystemNow()))
        drives::RunNotifier();
    return code;
}
