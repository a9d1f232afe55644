#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "Snapshot.h"
#include "Sqlite.h"

// The usage history: one SQLite file that the window, the tool and the timer all write.
// Times are Unix seconds (UTC) handed in by the caller, so tests bring their own clock.
namespace history {

// What stays when drive letters move: the volume serial with the mount point (on Windows the
// root path, "C:\").
struct DriveKey {
    std::uint32_t serial = 0;
    std::string mountPoint;
};

// One answering drive at one moment, as a scan saw it.
struct DriveSample {
    DriveKey key;
    char letter = '\0';
    std::string label;
    std::string fileSystem;
    std::uint32_t typeCode = 0;
    std::int64_t totalBytes = 0;
    std::int64_t freeBytes = 0;
};

struct Sample {
    std::int64_t time = 0;
    std::int64_t totalBytes = 0;
    std::int64_t freeBytes = 0;
};

// One folded hour: free space at its lowest, highest and last sample, size at the last.
struct HourlyFigure {
    std::int64_t hour = 0;  // the hour's first second
    std::int64_t totalBytes = 0;
    std::int64_t freeMinBytes = 0;
    std::int64_t freeMaxBytes = 0;
    std::int64_t freeLastBytes = 0;
};

struct SampleSpan {
    std::size_t count = 0;
    std::optional<std::int64_t> oldest;  // the first recorded of those kept
};

// What the warnings remember of one drive between readings; a drive never warned has the
// default. Every program that warns shares it through the file.
struct WarningMemory {
    // The free share at the last low-space warning; empty until then and once it recovers.
    std::optional<double> lowWarnedAtShare;
    bool fillingWarned = false;
    std::optional<std::int64_t> lastWarned;

    bool operator==(const WarningMemory&) const = default;
};

struct StoreOptions {
    std::chrono::seconds rawKept = std::chrono::hours(24 * 14);
    std::chrono::seconds hourlyKept = std::chrono::hours(24 * 400);
    // Long enough for the other writer's transaction: a recording of 26 drives takes
    // milliseconds, a checkpoint of the whole file well under a second.
    std::chrono::milliseconds busyTimeout{10000};
    SnapshotRule snapshots;
};

struct SnapshotEntry {
    std::int64_t id = 0;
    std::int64_t time = 0;
    std::string root;  // see Snapshot::root
};

template <typename T>
using Result = std::variant<T, HistoryError>;

class Store {
public:
    // Opens the file, creating it and its folders when `create` says so (see
    // PrepareHistoryFile); a file that is not SQLite or holds
    // a newer schema is an error and is left exactly as it was.
    static Result<std::unique_ptr<Store>> Open(const std::string& path, bool create,
                                               StoreOptions options = {});

    // One sample of each drive at `now`, in one transaction, then the pruning. A drive whose
    // newest sample is less than `spacing` old is left out.
    std::optional<HistoryError> Record(const std::vector<DriveSample>& drives, std::int64_t now,
                                       std::chrono::seconds spacing = std::chrono::seconds(0));

    // The raw samples from the newest back to (not including) the first one older than
    // `since`, in the order they were recorded: times rise, except where the clock was set
    // back. Empty for a drive never recorded.
    Result<std::vector<Sample>> Samples(const DriveKey& key, std::int64_t since);
    // How many raw samples the drive has, and the time of the first one kept.
    Result<SampleSpan> Span(const DriveKey& key);
    Result<std::vector<HourlyFigure>> Hourly(const DriveKey& key, std::int64_t since);

    // Keeps `snapshot` as one of the drive's, then prunes, in one transaction.
    std::optional<HistoryError> RecordSnapshot(const DriveSample& drive, const Snapshot& snapshot,
                                               std::int64_t now);
    // The drive's snapshots, oldest first; empty for a drive never recorded.
    Result<std::vector<SnapshotEntry>> Snapshots(const DriveKey& key);
    // One of them whole; an id that is not (or no longer) there is an error.
    Result<Snapshot> LoadSnapshot(std::int64_t id);

    // The drive's warning memory; the default for a drive never warned.
    Result<WarningMemory> Memory(const DriveKey& key);
    // Reads the memory, hands it to `update` and stores what that returns, all in one write
    // transaction: another program deciding about the same drive waits and then sees the
    // result. Returns the memory `update` was given.
    Result<WarningMemory> UpdateMemory(
        const DriveKey& key, const std::function<WarningMemory(const WarningMemory&)>& update);

    // Folds raw samples older than the raw span into hours and drops hours past theirs.
    std::optional<HistoryError> Prune(std::int64_t now);

private:
    Store(StoreOptions options) : options_(options) {}
    std::optional<HistoryError> Prepare();
    Result<std::int64_t> UpsertDrive(const DriveSample& drive, std::int64_t now);
    std::optional<HistoryError> InsertSnapshot(std::int64_t drive, const Snapshot& snapshot);
    std::optional<HistoryError> PruneSnapshots(std::int64_t drive, std::int64_t now);
    std::optional<HistoryError> PruneAll(std::int64_t now);
    std::optional<HistoryError> RecordOne(const DriveSample& drive, std::int64_t now,
                                          std::chrono::seconds spacing);
    Result<std::optional<std::int64_t>> DriveId(const DriveKey& key);
    std::optional<HistoryError> PruneDrive(std::int64_t drive, std::int64_t now);

    StoreOptions options_;
    sql::Connection db_;
    sql::Statement upsertDrive_, newestSample_, insertSample_, findDrive_, samples_, span_, hourly_,
        allDrives_, fold_, dropSamples_, dropHours_, dropDrives_, insertSnapshot_, insertFolder_,
        insertFile_, snapshotList_, snapshotHead_, snapshotFolders_, snapshotFiles_,
        dropSnapshotFolders_, dropSnapshotFiles_, dropSnapshot_, dropOrphanFolders_,
        dropOrphanFiles_, dropOrphanSnapshots_, memory_, storeMemory_, forgetMemory_;
};

}  // namespace history
