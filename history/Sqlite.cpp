#include "Sqlite.h"

namespace history::sql {

std::optional<HistoryError> Connection::Open(const std::string& path, bool create,
                                             Connection& out) {
    sqlite3* db = nullptr;
    const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0) |
                      SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_EXRESCODE;
    const int code = sqlite3_open_v2(path.c_str(), &db, flags, nullptr);
    out.db_.reset(db);
    out.path_ = path;
    if (code != SQLITE_OK) return out.ErrorOf(code);
    return std::nullopt;
}

HistoryError Connection::ErrorOf(int code) const {
    const char* detail = db_ ? sqlite3_errmsg(db_.get()) : sqlite3_errstr(code);
    return HistoryError{path_ + ": " + detail};
}

std::optional<HistoryError> Connection::Execute(const char* sql) {
    const int code = sqlite3_exec(db_.get(), sql, nullptr, nullptr, nullptr);
    if (code != SQLITE_OK) return ErrorOf(code);
    return std::nullopt;
}

std::optional<HistoryError> Connection::Prepare(const char* sql, Statement& out) {
    sqlite3_stmt* statement = nullptr;
    const int code =
        sqlite3_prepare_v3(db_.get(), sql, -1, SQLITE_PREPARE_PERSISTENT, &statement, nullptr);
    out.statement_.reset(statement);
    out.connection_ = this;
    if (code != SQLITE_OK) return ErrorOf(code);
    return std::nullopt;
}

void Connection::SetBusyTimeout(int milliseconds) {
    sqlite3_busy_timeout(db_.get(), milliseconds);
}

Statement& Statement::Bind(int index, std::int64_t value) {
    sqlite3_bind_int64(statement_.get(), index, value);
    return *this;
}

// Labels and mount points are bytes as the system holds them; SQLite keeps TEXT as given.
Statement& Statement::Bind(int index, std::string_view text) {
    sqlite3_bind_text(statement_.get(), index, text.data(), static_cast<int>(text.size()),
                      SQLITE_TRANSIENT);
    return *this;
}

Statement& Statement::BindReal(int index, double value) {
    sqlite3_bind_double(statement_.get(), index, value);
    return *this;
}

Statement& Statement::Bind(int index, const std::optional<std::int64_t>& value) {
    return value ? Bind(index, *value) : *this;
}

Statement& Statement::BindReal(int index, const std::optional<double>& value) {
    return value ? BindReal(index, *value) : *this;
}

bool Statement::Step(std::optional<HistoryError>& error) {
    const int code = sqlite3_step(statement_.get());
    if (code == SQLITE_ROW) return true;
    if (code != SQLITE_DONE) error = connection_->ErrorOf(code);
    return false;
}

std::optional<HistoryError> Statement::Run() {
    std::optional<HistoryError> error;
    while (Step(error)) {
    }
    Reset();
    return error;
}

void Statement::Reset() {
    sqlite3_reset(statement_.get());
    sqlite3_clear_bindings(statement_.get());
}

std::int64_t Statement::Int(int column) const {
    return sqlite3_column_int64(statement_.get(), column);
}

std::string Statement::Text(int column) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_.get(), column));
    const int size = sqlite3_column_bytes(statement_.get(), column);
    return text ? std::string(text, static_cast<std::size_t>(size)) : std::string();
}

double Statement::Real(int column) const {
    return sqlite3_column_double(statement_.get(), column);
}

bool Statement::IsNull(int column) const {
    return sqlite3_column_type(statement_.get(), column) == SQLITE_NULL;
}

WriteTransaction::~WriteTransaction() {
    if (open_) connection_.Execute("ROLLBACK");
}

std::optional<HistoryError> WriteTransaction::Begin() {
    auto error = connection_.Execute("BEGIN IMMEDIATE");
    open_ = !error;
    return error;
}

std::optional<HistoryError> WriteTransaction::Commit() {
    auto error = connection_.Execute("COMMIT");
    open_ = open_ && error.has_value();
    return error;
}

}  // namespace history::sql
