#pragma once

#include <optional>

#include "Sqlite.h"

namespace history {

// The schema version this build writes, kept in PRAGMA user_version.
inline constexpr int kSchemaVersion = 3;

// PRAGMA user_version: 0 for a new, empty file. nullopt with `error` set when the file cannot
// be read, or is not SQLite at all.
std::optional<int> SchemaVersionOf(sql::Connection& db, std::optional<HistoryError>& error);

// Brings a file of an older version (0: a new, empty file) up to kSchemaVersion, one step per
// version, inside one write transaction; a file another process migrated meanwhile is left
// alone.
std::optional<HistoryError> Migrate(sql::Connection& db);

}  // namespace history
