#include "HistoryStore.h"

#include <algorithm>
#include <string_view>
#include <thread>

#include "HistoryPath.h"
#include "Schema.h"

namespace history {
namespace {

constexpr std::int64_t kHour = 3600;

std::int64_t HourStart(std::int64_t time) {
    return time - time % kHour;
}

// The first read of the file: a file that is not SQLite fails here, before anything is
// written to it.
Result<int> CheckVersion(sql::Connection& db, const std::string& path) {
    std::optional<HistoryError> error;
    const auto version = SchemaVersionOf(db, error);
    if (!version) return *error;
    if (*version > kSchemaVersion)
        return HistoryError{path + ": written by a newer Vollmark (schema " +
                            std::to_string(*version) + ", this one knows up to " +
                            std::to_string(kSchemaVersion) + ")"};
    return *version;
}

// WAL lets readers go on while one process writes; NORMAL syncing keeps the file whole through
// a crash and only risks the last transaction on a power cut. Two first writers can meet here,
// each holding the read lock that the switch to WAL must upgrade; SQLite then answers one of
// them "locked" at once instead of waiting into a deadlock, and trying again is its advice.
std::optional<HistoryError> SwitchToWal(sql::Connection& db, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        auto error = db.Execute("PRAGMA journal_mode = WAL; PRAGMA synchronous = NORMAL");
        if (!error || error->message.find("database is locked") == std::string_view::npos ||
            std::chrono::steady_clock::now() >= deadline)
            return error;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

}  // namespace

Result<std::unique_ptr<Store>> Store::Open(const std::string& path, bool create,
                                           StoreOptions options) {
    if (create)
        if (auto error = PrepareHistoryFile(path)) return *error;
    std::unique_ptr<Store> store(new Store(options));
    if (auto error = sql::Connection::Open(path, create, store->db_)) return *error;
    store->db_.SetBusyTimeout(static_cast<int>(options.busyTimeout.count()));
    const auto version = CheckVersion(store->db_, path);
    if (auto* error = std::get_if<HistoryError>(&version)) return *error;
    if (auto error = SwitchToWal(store->db_, options.busyTimeout)) return *error;
    // Only an old file takes the write lock here, so readers never wait for a writer.
    if (std::get<int>(version) < kSchemaVersion)
        if (auto error = Migrate(store->db_)) return *error;
    if (auto error = store->Prepare()) return *error;
    return store;
}

std::optional<HistoryError> Store::Prepare() {
    // The first sample of drive ?1, in recording order, at or after the cut-off ?2: samples
    // are read from the oldest and the scan stops there, so only the few due are ever read.
    const std::string firstKept =
        "coalesce((SELECT seq FROM samples WHERE drive = ?1 AND time >= ?2 ORDER BY seq LIMIT 1), "
        "(SELECT max(seq) + 1 FROM samples WHERE drive = ?1))";
    const std::pair<sql::Statement*, std::string> statements[] = {
        {&upsertDrive_,
         "INSERT INTO drives(serial, mount_point, letter, label, file_system, type_code, "
         "first_seen, last_seen) VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?7) "
         "ON CONFLICT(serial, mount_point) DO UPDATE SET letter = excluded.letter, "
         "label = excluded.label, file_system = excluded.file_system, "
         "type_code = excluded.type_code, last_seen = excluded.last_seen RETURNING id"},
        {&newestSample_, "SELECT time FROM samples WHERE drive = ?1 ORDER BY seq DESC LIMIT 1"},
        {&insertSample_,
         "INSERT INTO samples(drive, seq, time, total_bytes, free_bytes) "
         "SELECT ?1, coalesce(max(seq), 0) + 1, ?2, ?3, ?4 FROM samples WHERE drive = ?1"},
        {&findDrive_, "SELECT id FROM drives WHERE serial = ?1 AND mount_point = ?2"},
        {&samples_,
         "SELECT time, total_bytes, free_bytes FROM samples WHERE drive = ?1 ORDER BY seq DESC"},
        // Only the oldest samples are ever dropped, so the numbers are contiguous and both ends
        // of the run tell the count without reading it.
        {&span_,
         "SELECT (SELECT max(seq) FROM samples WHERE drive = ?1) - seq + 1, time FROM samples "
         "WHERE drive = ?1 ORDER BY seq LIMIT 1"},
        {&hourly_,
         "SELECT hour, total_bytes, free_min_bytes, free_max_bytes, free_last_bytes "
         "FROM hourly WHERE drive = ?1 AND hour >= ?2 ORDER BY hour"},
        {&allDrives_, "SELECT id FROM drives"},
        // An hour is folded whole, as the cut-off is an hour's start; a sample that arrives
        // for an hour already folded (a clock set back) joins its figures.
        {&fold_,
         "WITH due AS (SELECT * FROM samples WHERE drive = ?1 AND seq < " + firstKept +
             "), "
             "hours AS (SELECT time - time % 3600 AS hour, min(free_bytes) AS low, "
             "max(free_bytes) AS high, max(seq) AS newest FROM due GROUP BY hour) "
             "INSERT INTO hourly_folded(drive, hour, total_bytes, free_last_bytes, "
             "free_below_last, free_above_last) "
             "SELECT ?1, hour, s.total_bytes, s.free_bytes, s.free_bytes - low, high - "
             "s.free_bytes "
             "FROM hours JOIN samples AS s ON s.drive = ?1 AND s.seq = hours.newest WHERE true "
             "ON CONFLICT(drive, hour) DO UPDATE SET total_bytes = excluded.total_bytes, "
             "free_last_bytes = excluded.free_last_bytes, "
             "free_below_last = excluded.free_last_bytes - min(free_last_bytes - free_below_last, "
             "excluded.free_last_bytes - excluded.free_below_last), "
             "free_above_last = max(free_last_bytes + free_above_last, "
             "excluded.free_last_bytes + excluded.free_above_last) - excluded.free_last_bytes"},
        {&dropSamples_, "DELETE FROM samples WHERE drive = ?1 AND seq < " + firstKept},
        {&dropHours_, "DELETE FROM hourly_folded WHERE drive = ?1 AND hour < ?2"},
        // A drive unseen for the whole hourly span has nothing left: a tmpfs that gets a new
        // id at every boot does not pile up rows.
        {&dropDrives_, "DELETE FROM drives WHERE last_seen < ?1"},
        {&insertSnapshot_,
         "INSERT INTO snapshots(drive, time, root) VALUES(?1, ?2, ?3) RETURNING id"},
        {&insertFolder_,
         "INSERT INTO snapshot_folders(snapshot, number, parent, name, other, allocated_bytes, "
         "apparent_bytes, files) VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8)"},
        {&insertFile_,
         "INSERT INTO snapshot_files(snapshot, rank, path, allocated_bytes, apparent_bytes) "
         "VALUES(?1, ?2, ?3, ?4, ?5)"},
        {&snapshotList_, "SELECT id, time, root FROM snapshots WHERE drive = ?1 ORDER BY time, id"},
        {&snapshotHead_, "SELECT time, root FROM snapshots WHERE id = ?1"},
        {&snapshotFolders_,
         "SELECT parent, name, other, allocated_bytes, apparent_bytes, files "
         "FROM snapshot_folders WHERE snapshot = ?1 ORDER BY number"},
        {&snapshotFiles_,
         "SELECT path, allocated_bytes, apparent_bytes FROM snapshot_files WHERE snapshot = ?1 "
         "ORDER BY rank"},
        {&dropSnapshotFolders_, "DELETE FROM snapshot_folders WHERE snapshot = ?1"},
        {&dropSnapshotFiles_, "DELETE FROM snapshot_files WHERE snapshot = ?1"},
        {&dropSnapshot_, "DELETE FROM snapshots WHERE id = ?1"},
        // A dropped drive takes its snapshots along: its id may be handed out again.
        {&dropOrphanFolders_,
         "DELETE FROM snapshot_folders WHERE snapshot IN (SELECT id FROM snapshots WHERE drive "
         "NOT IN (SELECT id FROM drives))"},
        {&dropOrphanFiles_,
         "DELETE FROM snapshot_files WHERE snapshot IN (SELECT id FROM snapshots WHERE drive "
         "NOT IN (SELECT id FROM drives))"},
        {&dropOrphanSnapshots_, "DELETE FROM snapshots WHERE drive NOT IN (SELECT id FROM drives)"},
        {&memory_,
         "SELECT low_share, filling, last_warned FROM warned WHERE serial = ?1 AND "
         "mount_point = ?2"},
        {&storeMemory_,
         "INSERT OR REPLACE INTO warned(serial, mount_point, low_share, filling, last_warned) "
         "VALUES(?1, ?2, ?3, ?4, ?5)"},
        {&forgetMemory_, "DELETE FROM warned WHERE serial = ?1 AND mount_point = ?2"},
    };
    for (const auto& [statement, text] : statements)
        if (auto error = db_.Prepare(text.c_str(), *statement)) return error;
    return std::nullopt;
}

std::optional<HistoryError> Store::Record(const std::vector<DriveSample>& drives, std::int64_t now,
                                          std::chrono::seconds spacing) {
    sql::WriteTransaction transaction(db_);
    if (auto error = transaction.Begin()) return error;
    for (const DriveSample& drive : drives)
        if (auto error = RecordOne(drive, now, spacing)) return error;
    if (auto error = PruneAll(now)) return error;
    return transaction.Commit();
}

std::optional<HistoryError> Store::RecordSnapshot(const DriveSample& drive,
                                                  const Snapshot& snapshot, std::int64_t now) {
    sql::WriteTransaction transaction(db_);
    if (auto error = transaction.Begin()) return error;
    const auto id = UpsertDrive(drive, now);
    if (const auto* error = std::get_if<HistoryError>(&id)) return *error;
    if (auto error = InsertSnapshot(std::get<std::int64_t>(id), snapshot)) return error;
    if (auto error = PruneAll(now)) return error;
    return transaction.Commit();
}

std::optional<HistoryError> Store::InsertSnapshot(std::int64_t drive, const Snapshot& snapshot) {
    std::optional<HistoryError> error;
    insertSnapshot_.Bind(1, drive).Bind(2, snapshot.time).Bind(3, snapshot.root);
    const bool got = insertSnapshot_.Step(error);
    const std::int64_t id = got ? insertSnapshot_.Int(0) : 0;
    insertSnapshot_.Reset();
    if (!got) return error ? error : HistoryError{"the snapshot was not stored"};
    const auto size = [](std::uint64_t bytes) { return static_cast<std::int64_t>(bytes); };
    for (std::size_t i = 0; i < snapshot.folders.size(); ++i) {
        const SnapshotFolder& folder = snapshot.folders[i];
        if (auto insertError = insertFolder_.Bind(1, id)
                                   .Bind(2, static_cast<std::int64_t>(i))
                                   .Bind(3, folder.parent)
                                   .Bind(4, folder.name)
                                   .Bind(5, folder.other ? 1 : 0)
                                   .Bind(6, size(folder.allocatedBytes))
                                   .Bind(7, size(folder.apparentBytes))
                                   .Bind(8, size(folder.files))
                                   .Run())
            return insertError;
    }
    for (std::size_t i = 0; i < snapshot.biggestFiles.size(); ++i) {
        const scan::File& file = snapshot.biggestFiles[i];
        if (auto insertError = insertFile_.Bind(1, id)
                                   .Bind(2, static_cast<std::int64_t>(i))
                                   .Bind(3, file.path)
                                   .Bind(4, size(file.allocatedBytes))
                                   .Bind(5, size(file.apparentBytes))
                                   .Run())
            return insertError;
    }
    return std::nullopt;
}

std::optional<HistoryError> Store::PruneAll(std::int64_t now) {
    sql::Statement& ids = allDrives_;
    std::optional<HistoryError> error;
    std::vector<std::int64_t> known;
    while (ids.Step(error)) known.push_back(ids.Int(0));
    ids.Reset();
    if (error) return error;
    for (const std::int64_t id : known)
        if (auto pruneError = PruneDrive(id, now)) return pruneError;
    if (auto dropError = dropDrives_.Bind(1, HourStart(now - options_.hourlyKept.count())).Run())
        return dropError;
    for (sql::Statement* orphans : {&dropOrphanFolders_, &dropOrphanFiles_, &dropOrphanSnapshots_})
        if (auto dropError = orphans->Run()) return dropError;
    return std::nullopt;
}

Result<std::int64_t> Store::UpsertDrive(const DriveSample& drive, std::int64_t now) {
    std::optional<HistoryError> error;
    upsertDrive_.Bind(1, drive.key.serial)
        .Bind(2, drive.key.mountPoint)
        .Bind(3, std::string_view(&drive.letter, 1))
        .Bind(4, drive.label)
        .Bind(5, drive.fileSystem)
        .Bind(6, drive.typeCode)
        .Bind(7, now);
    const bool got = upsertDrive_.Step(error);
    const std::int64_t id = got ? upsertDrive_.Int(0) : 0;
    upsertDrive_.Reset();
    if (!got) return error ? *error : HistoryError{"the drive was not stored"};
    return id;
}

std::optional<HistoryError> Store::RecordOne(const DriveSample& drive, std::int64_t now,
                                             std::chrono::seconds spacing) {
    const auto upserted = UpsertDrive(drive, now);
    if (const auto* upsertError = std::get_if<HistoryError>(&upserted)) return *upsertError;
    const std::int64_t id = std::get<std::int64_t>(upserted);
    std::optional<HistoryError> error;

    if (spacing.count() > 0) {
        newestSample_.Bind(1, id);
        const bool any = newestSample_.Step(error);
        const std::int64_t newest = any ? newestSample_.Int(0) : 0;
        newestSample_.Reset();
        if (error) return error;
        // A newest sample from the future means the clock was set back: record all the same.
        if (any && newest <= now && now - newest < spacing.count()) return std::nullopt;
    }
    return insertSample_.Bind(1, id)
        .Bind(2, now)
        .Bind(3, drive.totalBytes)
        .Bind(4, drive.freeBytes)
        .Run();
}

std::optional<HistoryError> Store::PruneDrive(std::int64_t drive, std::int64_t now) {
    const std::int64_t rawCut = HourStart(now - options_.rawKept.count());
    const std::int64_t hourlyCut = HourStart(now - options_.hourlyKept.count());
    if (auto error = fold_.Bind(1, drive).Bind(2, rawCut).Run()) return error;
    if (auto error = dropSamples_.Bind(1, drive).Bind(2, rawCut).Run()) return error;
    if (auto error = dropHours_.Bind(1, drive).Bind(2, hourlyCut).Run()) return error;
    return PruneSnapshots(drive, now);
}

std::optional<HistoryError> Store::PruneSnapshots(std::int64_t drive, std::int64_t now) {
    std::optional<HistoryError> error;
    std::vector<std::int64_t> ids, times;
    snapshotList_.Bind(1, drive);
    while (snapshotList_.Step(error)) {
        ids.push_back(snapshotList_.Int(0));
        times.push_back(snapshotList_.Int(1));
    }
    snapshotList_.Reset();
    if (error) return error;
    for (const std::size_t dropped : SnapshotsToDrop(times, now, options_.snapshots))
        for (sql::Statement* drop : {&dropSnapshotFolders_, &dropSnapshotFiles_, &dropSnapshot_})
            if (auto dropError = drop->Bind(1, ids[dropped]).Run()) return dropError;
    return std::nullopt;
}

Result<std::vector<SnapshotEntry>> Store::Snapshots(const DriveKey& key) {
    auto id = DriveId(key);
    if (auto* error = std::get_if<HistoryError>(&id)) return *error;
    std::vector<SnapshotEntry> entries;
    const auto drive = std::get<std::optional<std::int64_t>>(id);
    if (!drive) return entries;
    std::optional<HistoryError> error;
    snapshotList_.Bind(1, *drive);
    while (snapshotList_.Step(error))
        entries.push_back({snapshotList_.Int(0), snapshotList_.Int(1), snapshotList_.Text(2)});
    snapshotList_.Reset();
    if (error) return *error;
    return entries;
}

Result<Snapshot> Store::LoadSnapshot(std::int64_t id) {
    std::optional<HistoryError> error;
    Snapshot snapshot;
    snapshotHead_.Bind(1, id);
    const bool found = snapshotHead_.Step(error);
    if (found) {
        snapshot.time = snapshotHead_.Int(0);
        snapshot.root = snapshotHead_.Text(1);
    }
    snapshotHead_.Reset();
    if (error) return *error;
    if (!found) return HistoryError{"snapshot " + std::to_string(id) + " is not in the history"};
    const auto size = [](std::int64_t bytes) { return static_cast<std::uint64_t>(bytes); };
    snapshotFolders_.Bind(1, id);
    while (snapshotFolders_.Step(error))
        snapshot.folders.push_back({static_cast<std::uint32_t>(snapshotFolders_.Int(0)),
                                    snapshotFolders_.Text(1), snapshotFolders_.Int(2) != 0,
                                    size(snapshotFolders_.Int(3)), size(snapshotFolders_.Int(4)),
                                    size(snapshotFolders_.Int(5))});
    snapshotFolders_.Reset();
    if (error) return *error;
    snapshotFiles_.Bind(1, id);
    while (snapshotFiles_.Step(error))
        snapshot.biggestFiles.push_back(
            {snapshotFiles_.Text(0), size(snapshotFiles_.Int(1)), size(snapshotFiles_.Int(2))});
    snapshotFiles_.Reset();
    if (error) return *error;
    return snapshot;
}

std::optional<HistoryError> Store::Prune(std::int64_t now) {
    return Record({}, now);
}

Result<std::optional<std::int64_t>> Store::DriveId(const DriveKey& key) {
    std::optional<HistoryError> error;
    findDrive_.Bind(1, key.serial).Bind(2, key.mountPoint);
    std::optional<std::int64_t> id;
    if (findDrive_.Step(error)) id = findDrive_.Int(0);
    findDrive_.Reset();
    if (error) return *error;
    return id;
}

Result<std::vector<Sample>> Store::Samples(const DriveKey& key, std::int64_t since) {
    auto id = DriveId(key);
    if (auto* error = std::get_if<HistoryError>(&id)) return *error;
    std::vector<Sample> samples;
    const auto drive = std::get<std::optional<std::int64_t>>(id);
    if (!drive) return samples;
    std::optional<HistoryError> error;
    samples_.Bind(1, *drive);
    while (samples_.Step(error) && samples_.Int(0) >= since)
        samples.push_back({samples_.Int(0), samples_.Int(1), samples_.Int(2)});
    samples_.Reset();
    if (error) return *error;
    std::reverse(samples.begin(), samples.end());
    return samples;
}

Result<SampleSpan> Store::Span(const DriveKey& key) {
    auto id = DriveId(key);
    if (auto* error = std::get_if<HistoryError>(&id)) return *error;
    const auto drive = std::get<std::optional<std::int64_t>>(id);
    SampleSpan span;
    if (!drive) return span;
    std::optional<HistoryError> error;
    span_.Bind(1, *drive);
    if (span_.Step(error)) {
        span.count = static_cast<std::size_t>(span_.Int(0));
        span.oldest = span_.Int(1);
    }
    span_.Reset();
    if (error) return *error;
    return span;
}

Result<std::vector<HourlyFigure>> Store::Hourly(const DriveKey& key, std::int64_t since) {
    auto id = DriveId(key);
    if (auto* error = std::get_if<HistoryError>(&id)) return *error;
    std::vector<HourlyFigure> hours;
    const auto drive = std::get<std::optional<std::int64_t>>(id);
    if (!drive) return hours;
    std::optional<HistoryError> error;
    hourly_.Bind(1, *drive).Bind(2, since);
    while (hourly_.Step(error))
        hours.push_back(
            {hourly_.Int(0), hourly_.Int(1), hourly_.Int(2), hourly_.Int(3), hourly_.Int(4)});
    hourly_.Reset();
    if (error) return *error;
    return hours;
}

Result<WarningMemory> Store::Memory(const DriveKey& key) {
    std::optional<HistoryError> error;
    memory_.Bind(1, key.serial).Bind(2, key.mountPoint);
    WarningMemory memory;
    if (memory_.Step(error)) {
        if (!memory_.IsNull(0)) memory.lowWarnedAtShare = memory_.Real(0);
        memory.fillingWarned = memory_.Int(1) != 0;
        if (!memory_.IsNull(2)) memory.lastWarned = memory_.Int(2);
    }
    memory_.Reset();
    if (error) return *error;
    return memory;
}

// A drive back to the default leaves no row behind.
Result<WarningMemory> Store::UpdateMemory(
    const DriveKey& key, const std::function<WarningMemory(const WarningMemory&)>& update) {
    sql::WriteTransaction transaction(db_);
    if (auto error = transaction.Begin()) return *error;
    auto read = Memory(key);
    if (auto* error = std::get_if<HistoryError>(&read)) return *error;
    const WarningMemory before = std::get<WarningMemory>(read);
    const WarningMemory after = update(before);
    if (after != before) {
        const auto error = after == WarningMemory{}
                               ? forgetMemory_.Bind(1, key.serial).Bind(2, key.mountPoint).Run()
                               : storeMemory_.Bind(1, key.serial)
                                     .Bind(2, key.mountPoint)
                                     .BindReal(3, after.lowWarnedAtShare)
                                     .Bind(4, std::int64_t{after.fillingWarned})
                                     .Bind(5, after.lastWarned)
                                     .Run();
        if (error) return *error;
    }
    if (auto error = transaction.Commit()) return *error;
    return before;
}

}  // namespace history
