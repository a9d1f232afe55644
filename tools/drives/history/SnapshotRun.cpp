#include "SnapshotRun.h"

#include <sys/stat.h>

#include <cctype>
#include <filesystem>
#include <variant>

#include "DriveSamples.h"
#include "Forecast.h"
#include "GrowthReport.h"
#include "HistoryPath.h"
#include "Output.h"
#include "Scanner.h"
#include "Unexplained.h"
#include "UnexplainedReport.h"

namespace drives {
namespace {

using history::HistoryError;
using history::Store;

struct Located {
    DriveRecord record;
    std::string relative;
};
struct Failure {
    std::string message;
    int code;
};

// Where a folder lies: its drive (an index into the report's drives) and its path beneath the
// drive's mount point, '/'-separated, empty for the mount point itself; the drive with the
// longest mount point that holds the path. `absolute` is canonical.
struct DrivePlace {
    std::size_t drive = 0;
    std::string relative;
};

std::optional<DrivePlace> PlaceOf(const DriveReport& report, const std::string& absolute) {
    std::optional<DrivePlace> best;
    std::size_t longest = 0;
    for (std::size_t i = 0; i < report.Drives.size(); ++i) {
        const auto& mountPoint = report.Drives[i].MountPoint;
        if (!mountPoint || mountPoint->empty() || mountPoint->front() != '/') continue;
        const std::string folder = mountPoint->substr(1);
        const std::string path = absolute.substr(absolute.starts_with('/') ? 1 : 0);
        if (!history::IsWithin(path, folder) || (best && folder.size() < longest)) continue;
        longest = folder.size();
        best = DrivePlace{
            i, path.substr(std::min(path.size(), folder.size() + (folder.empty() ? 0 : 1)))};
    }
    return best;
}

// A folder below a drive's mount point can lie on another file system mounted there without
// a letter: it is not that drive's.
bool SameFileSystem(const std::string& a, const std::string& b) {
    struct stat first = {};
    struct stat second = {};
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 &&
           first.st_dev == second.st_dev;
}

// A file system's root: its parent lies on another device, or is itself ("/").
bool IsMountRoot(const std::string& path) {
    struct stat folder = {};
    struct stat parent = {};
    if (::stat(path.c_str(), &folder) != 0 || ::stat((path + "/..").c_str(), &parent) != 0)
        return false;
    return folder.st_dev != parent.st_dev || folder.st_ino == parent.st_ino;
}

std::optional<DrivePlace> DriveOf(const DriveReport& report, const std::string& absolute) {
    auto place = PlaceOf(report, absolute);
    if (place && !SameFileSystem(absolute, *report.Drives[place->drive].MountPoint)) place.reset();
    return place;
}

bool IsDriveLetter(const std::string& text) {
    return text.size() == 2 && text[1] == ':' && std::isalpha(static_cast<unsigned char>(text[0]));
}

std::string LetterName(const DriveRecord& record) {
    return std::string(1, record.Disk.DriveLetter) + ":";
}

// A drive letter, or a folder on a drive with one.
std::variant<Located, Failure> Locate(const DriveReport& report, const std::string& target) {
    if (IsDriveLetter(target)) {
        const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(target[0])));
        for (const DriveRecord& record : report.Drives)
            if (record.Disk.DriveLetter == letter && record.MountPoint) return Located{record, ""};
        for (const std::string& entry : report.Entries)
            if (entry == std::string(1, letter)) return Failure{target + " does not answer", 1};
        return Failure{target + " is no drive", 2};
    }
    std::error_code error;
    const auto path = std::filesystem::canonical(target, error);
    if (error || !std::filesystem::is_directory(path, error))
        return Failure{target + ": no such folder", 2};
    const auto place = DriveOf(report, path.string());
    if (!place) return Failure{target + ": not on a drive with a letter", 2};
    return Located{report.Drives[place->drive], place->relative};
}

std::variant<std::unique_ptr<Store>, Failure> OpenStore(bool create) {
    const auto path = history::DefaultHistoryFile(history::ProcessEnvironment);
    if (!path) return Failure{"no state folder: neither XDG_STATE_HOME nor HOME is set", 1};
    std::error_code ignored;
    if (!create && !std::filesystem::exists(*path, ignored)) return std::unique_ptr<Store>();
    auto opened = Store::Open(*path, create);
    if (auto* error = std::get_if<HistoryError>(&opened)) return Failure{error->message, 1};
    return std::move(std::get<std::unique_ptr<Store>>(opened));
}

std::optional<std::string> Record(Store& store, const DriveRecord& record,
                                  const scan::ScanResult& result, const std::string& relative,
                                  std::int64_t now) {
    if (result.cancelled) return "the scan stopped early; nothing was recorded";
    const auto used = static_cast<std::uint64_t>(std::max<std::int64_t>(record.Disk.UsedBytes, 0));
    const history::Snapshot snapshot =
        history::SnapshotOf(result, relative, history::SnapshotLine(used), now);
    if (auto error = store.RecordSnapshot(history::SampleOf(record), snapshot, now))
        return error->message;
    return std::nullopt;
}

template <typename T>
T* Or(std::variant<T, HistoryError>& value, std::optional<HistoryError>& error) {
    if (auto* failed = std::get_if<HistoryError>(&value)) error = *failed;
    return std::get_if<T>(&value);
}

// The snapshots to compare: the newest, and the one `since` before `now` (the newest at or
// before that time, the oldest when none is that old), or the one before the newest.
std::pair<std::size_t, std::size_t> Pick(const std::vector<history::SnapshotEntry>& entries,
                                         std::optional<std::int64_t> since, std::int64_t now) {
    const std::size_t to = entries.size() - 1;
    std::size_t from = to - 1;
    if (since) {
        from = 0;
        for (std::size_t i = 0; i < to; ++i)
            if (entries[i].time <= now - *since) from = i;
    }
    return {from, to};
}

std::variant<GrowthView, Failure> GrowthOf(Store& store, const Located& at, const Options& options,
                                           std::int64_t now) {
    const history::DriveKey key = history::KeyOf(at.record);
    auto listed = store.Snapshots(key);
    std::optional<HistoryError> error;
    const auto* all = Or(listed, error);
    if (!all) return Failure{error->message, 1};
    std::vector<history::SnapshotEntry> entries;
    for (const auto& entry : *all)
        if (history::IsWithin(at.relative, entry.root)) entries.push_back(entry);
    if (entries.size() < 2)
        return Failure{"fewer than two snapshots of " + *options.grew +
                           " to compare: record them with --scan " + *options.grew + " --record",
                       1};
    const auto [from, to] = Pick(entries, options.sinceSeconds, now);
    std::vector<history::Snapshot> window;
    for (std::size_t i = from; i <= to; ++i) {
        auto loaded = store.LoadSnapshot(entries[i].id);
        const auto* snapshot = Or(loaded, error);
        if (!snapshot) return Failure{error->message, 1};
        window.push_back(*snapshot);
    }
    auto samples = store.Samples(key, now - history::ForecastRule{}.longest.count());
    const auto* read = Or(samples, error);
    if (!read) return Failure{error->message, 1};
    const auto trend = history::ForecastOf(*read, now).trendBytesPerDay;
    return GrowthView{LetterName(at.record), *at.record.MountPoint,
                      history::GrowthBetween(window.front(), window.back(), at.relative),
                      history::RatesOf(window, at.relative, trend)};
}

}  // namespace

std::optional<std::string> AddToScan(const Options& options, const scan::ScanResult& result,
                                     std::int64_t now, ScanExtras& extras) {
    // A plain scan of a folder that is no drive's root asks nothing more of the system.
    if (!options.record && (result.cancelled || !IsMountRoot(result.root))) return std::nullopt;
    const DriveReport report = ScanDrives();
    std::error_code error;
    const auto root = std::filesystem::canonical(result.root, error);
    const auto place = error ? std::nullopt : DriveOf(report, root.string());
    if (!place) {
        if (options.record)
            return result.root + ": not on a drive with a letter; nothing was recorded";
        return std::nullopt;
    }
    const DriveRecord& record = report.Drives[place->drive];
    if (options.record) {
        auto opened = OpenStore(true);
        if (auto* failure = std::get_if<Failure>(&opened)) return failure->message;
        if (auto failed = Record(*std::get<std::unique_ptr<Store>>(opened), record, result,
                                 place->relative, now))
            return failed;
    }
    if (!place->relative.empty() || result.cancelled) return std::nullopt;
    const auto figures = space::FiguresOf(*record.MountPoint);
    if (!figures) return std::nullopt;
    const space::Unexplained unexplained =
        space::Account(*figures, result.folders.front().total.allocatedBytes,
                       space::DeletedOpenFilesOn(*record.MountPoint));
    extras.jsonMembers.push_back(UnexplainedMember(unexplained));
    extras.tableText = FormatUnexplainedTable(unexplained);
    return std::nullopt;
}

int RecordSnapshots(std::int64_t now) {
    auto opened = OpenStore(true);
    if (auto* failure = std::get_if<Failure>(&opened)) return Fail(failure->message, failure->code);
    Store& store = *std::get<std::unique_ptr<Store>>(opened);
    int code = 0;
    for (const DriveRecord& record : ScanDrives().Drives) {
        if (record.Disk.DriveType != platform::kDriveFixed || !record.MountPoint) continue;
        scan::ScanProgress progress;
        auto scanned = scan::ScanFolder(*record.MountPoint, scan::ScanOptions{}, progress);
        std::optional<std::string> error;
        if (const auto* failed = std::get_if<scan::ScanError>(&scanned))
            error = failed->message;
        else
            error = Record(store, record, std::get<scan::ScanResult>(scanned), "", now);
        if (error) code = Fail(LetterName(record) + " " + *error, 1);
    }
    return code;
}

int RunGrew(const Options& options, std::int64_t now) {
    const auto located = Locate(ScanDrives(), *options.grew);
    if (const auto* failure = std::get_if<Failure>(&located))
        return Fail(failure->message, failure->code);
    auto opened = OpenStore(false);
    if (auto* failure = std::get_if<Failure>(&opened)) return Fail(failure->message, failure->code);
    auto& store = std::get<std::unique_ptr<Store>>(opened);
    if (!store)
        return Fail("no snapshots of " + *options.grew + " yet: record them with --scan " +
                        *options.grew + " --record",
                    1);
    const auto growth = GrowthOf(*store, std::get<Located>(located), options, now);
    if (const auto* failure = std::get_if<Failure>(&growth))
        return Fail(failure->message, failure->code);
    const auto& view = std::get<GrowthView>(growth);
    const std::string text = options.json ? FormatGrowthJson(view) : FormatGrowthTable(view);
    return Print(text) ? 0 : Fail("cannot write the report", 1);
}

}  // namespace drives
