#include "Schema.h"

#include <array>
#include <string>

namespace history {
namespace {

// Step N turns version N into N + 1. A drive's samples lie together in the order they were
// recorded (`seq`), so the forecast reads its last days as one run of pages. The hourly figures
// keep their low and high as distances from the last value: mostly a few bytes each instead of
// eight, which keeps a year of 26 drives under 10 MB. The view gives them as plain byte counts.
const std::array<const char*, kSchemaVersion> kSteps = {
    R"(CREATE TABLE drives(
        id INTEGER PRIMARY KEY,
        serial INTEGER NOT NULL,
        mount_point TEXT NOT NULL,
        letter TEXT NOT NULL,
        label TEXT NOT NULL,
        file_system TEXT NOT NULL,
        type_code INTEGER NOT NULL,
        first_seen INTEGER NOT NULL,
        last_seen INTEGER NOT NULL,
        UNIQUE(serial, mount_point));
    CREATE TABLE samples(
        drive INTEGER NOT NULL REFERENCES drives(id),
        seq INTEGER NOT NULL,
        time INTEGER NOT NULL,
        total_bytes INTEGER NOT NULL,
        free_bytes INTEGER NOT NULL,
        PRIMARY KEY(drive, seq)) WITHOUT ROWID;
    CREATE TABLE hourly_folded(
        drive INTEGER NOT NULL REFERENCES drives(id),
        hour INTEGER NOT NULL,
        total_bytes INTEGER NOT NULL,
        free_last_bytes INTEGER NOT NULL,
        free_below_last INTEGER NOT NULL,
        free_above_last INTEGER NOT NULL,
        PRIMARY KEY(drive, hour)) WITHOUT ROWID;
    CREATE VIEW hourly AS
        SELECT drive, hour, total_bytes,
               free_last_bytes - free_below_last AS free_min_bytes,
               free_last_bytes + free_above_last AS free_max_bytes,
               free_last_bytes
        FROM hourly_folded;)",
    // Folder snapshots: each folder as its index, its parent's and its own name, so no path is
    // stored twice; names are the file system's bytes.
    R"(CREATE TABLE snapshots(
        id INTEGER PRIMARY KEY,
        drive INTEGER NOT NULL REFERENCES drives(id),
        time INTEGER NOT NULL,
        root TEXT NOT NULL);
    CREATE INDEX snapshots_by_drive ON snapshots(drive, time);
    CREATE TABLE snapshot_folders(
        snapshot INTEGER NOT NULL REFERENCES snapshots(id),
        number INTEGER NOT NULL,
        parent INTEGER NOT NULL,
        name TEXT NOT NULL,
        other INTEGER NOT NULL,
        allocated_bytes INTEGER NOT NULL,
        apparent_bytes INTEGER NOT NULL,
        files INTEGER NOT NULL,
        PRIMARY KEY(snapshot, number)) WITHOUT ROWID;
    CREATE TABLE snapshot_files(
        snapshot INTEGER NOT NULL REFERENCES snapshots(id),
        rank INTEGER NOT NULL,
        path TEXT NOT NULL,
        allocated_bytes INTEGER NOT NULL,
        apparent_bytes INTEGER NOT NULL,
        PRIMARY KEY(snapshot, rank)) WITHOUT ROWID;)",
    // What the warnings remember of each drive, so that the window and the timer warn once
    // for a crossing whichever sees it first. Keyed like the drives, but apart from them: a
    // drive's memory outlives the pruning of its samples.
    R"(CREATE TABLE warned(
        serial INTEGER NOT NULL,
        mount_point TEXT NOT NULL,
        low_share REAL,
        filling INTEGER NOT NULL,
        last_warned INTEGER,
        PRIMARY KEY(serial, mount_point)) WITHOUT ROWID;)",
};

}  // namespace

std::optional<int> SchemaVersionOf(sql::Connection& db, std::optional<HistoryError>& error) {
    sql::Statement statement;
    if ((error = db.Prepare("PRAGMA user_version", statement))) return std::nullopt;
    if (!statement.Step(error)) return std::nullopt;
    return static_cast<int>(statement.Int(0));
}

std::optional<HistoryError> Migrate(sql::Connection& db) {
    sql::WriteTransaction transaction(db);
    if (auto error = transaction.Begin()) return error;
    std::optional<HistoryError> error;
    const auto version = SchemaVersionOf(db, error);
    if (!version) return error;
    for (int step = *version; step < kSchemaVersion; ++step)
        if ((error = db.Execute(kSteps[static_cast<std::size_t>(step)]))) return error;
    if (*version < kSchemaVersion) {
        const std::string set = "PRAGMA user_version = " + std::to_string(kSchemaVersion);
        if ((error = db.Execute(set.c_str()))) return error;
    }
    return transaction.Commit();
}

}  // namespace history
