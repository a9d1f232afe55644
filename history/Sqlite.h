#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

// The few SQLite calls the store makes, each turning SQLite's result code into a
// HistoryError in one place, so the store reads as plain steps.
namespace history {

struct HistoryError {
    std::string message;
};

namespace sql {

class Statement;

class Connection {
public:
    // Opens an existing file (or creates it with `create`) without reading it yet.
    static std::optional<HistoryError> Open(const std::string& path, bool create, Connection& out);

    std::optional<HistoryError> Execute(const char* sql);
    std::optional<HistoryError> Prepare(const char* sql, Statement& out);
    void SetBusyTimeout(int milliseconds);
    HistoryError ErrorOf(int code) const;

private:
    struct Closer {
        void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
    };
    std::unique_ptr<sqlite3, Closer> db_;
    std::string path_;
};

// A prepared statement; Step() says whether a row is there.
class Statement {
public:
    Statement& Bind(int index, std::int64_t value);
    Statement& Bind(int index, std::string_view text);
    Statement& BindReal(int index, double value);
    // A parameter left unbound is NULL.
    Statement& Bind(int index, const std::optional<std::int64_t>& value);
    Statement& BindReal(int index, const std::optional<double>& value);
    std::optional<HistoryError> Run();  // steps to the end, then resets
    // true with a row, false at the end; an error code lands in `error`.
    bool Step(std::optional<HistoryError>& error);
    void Reset();

    std::int64_t Int(int column) const;
    std::string Text(int column) const;
    double Real(int column) const;
    bool IsNull(int column) const;

private:
    friend class Connection;
    struct Finalizer {
        void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
    };
    std::unique_ptr<sqlite3_stmt, Finalizer> statement_;
    const Connection* connection_ = nullptr;
};

// BEGIN IMMEDIATE takes the write lock at once, so two writers wait for each other through
// the busy timeout instead of one failing when its read turns into a write.
class WriteTransaction {
public:
    explicit WriteTransaction(Connection& connection) : connection_(connection) {}
    ~WriteTransaction();
    std::optional<HistoryError> Begin();
    std::optional<HistoryError> Commit();

private:
    Connection& connection_;
    bool open_ = false;
};

}  // namespace sql
}  // namespace history
