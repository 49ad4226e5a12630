#include "sqlite.h"

#include <sqlite3.h>

namespace quorlin::sql {

bool Error::damaged() const
{
    const int primary = code_ & 0xff;
    return primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB;
}

bool Error::readOnly() const { return (code_ & 0xff) == SQLITE_READONLY; }

Database::Database(const std::string& uri, int flags)
{
    const int code = sqlite3_open_v2(uri.c_str(), &db_, flags | SQLITE_OPEN_URI, nullptr);
    if (code != SQLITE_OK) {
        const std::string message = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(code);
        sqlite3_close(db_);
        db_ = nullptr;
        throw Error(code, message);
    }
    sqlite3_extended_result_codes(db_, 1);
}

Database::~Database() { sqlite3_close(db_); }

void Database::execute(const char* sql)
{
    if (const int code = sqlite3_exec(db_, sql, nullptr, nullptr, nullptr); code != SQLITE_OK) fail(code);
}

void Database::setBusyTimeout(int milliseconds) { sqlite3_busy_timeout(db_, milliseconds); }

void Database::fail(int code) const { throw Error(code, sqlite3_errmsg(db_)); }

Statement::Statement(Database& db, std::string_view sql) : db_(db)
{
    const int code = sqlite3_prepare_v2(db.handle(), sql.data(), static_cast<int>(sql.size()), &statement_, nullptr);
    if (code != SQLITE_OK) db.fail(code);
}

Statement::~Statement() { sqlite3_finalize(statement_); }

Statement& Statement::bind(int index, std::string_view text)
{
    const int code = sqlite3_bind_text(statement_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    if (code != SQLITE_OK) db_.fail(code);
    return *this;
}

Statement& Statement::bind(int index, double value)
{
    if (const int code = sqlite3_bind_double(statement_, index, value); code != SQLITE_OK) db_.fail(code);
    return *this;
}

Statement& Statement::bind(int index, std::int64_t value)
{
    if (const int code = sqlite3_bind_int64(statement_, index, value); code != SQLITE_OK) db_.fail(code);
    return *this;
}

Statement& Statement::bind(int index, const std::optional<double>& value)
{
    if (value) return bind(index, *value);
    if (const int code = sqlite3_bind_null(statement_, index); code != SQLITE_OK) db_.fail(code);
    return *this;
}

Statement& Statement::bind(int index, const std::optional<std::int64_t>& value)
{
    if (value) return bind(index, *value);
    if (const int code = sqlite3_bind_null(statement_, index); code != SQLITE_OK) db_.fail(code);
    return *this;
}

bool Statement::step()
{
    const int code = sqlite3_step(statement_);
    if (code == SQLITE_ROW) return true;
    if (code == SQLITE_DONE) return false;
    db_.fail(code);
}

void Statement::run()
{
    while (step()) {}
}

std::string Statement::text(int column) const
{
    const auto* bytes = sqlite3_column_text(statement_, column);
    return bytes ? std::string(reinterpret_cast<const char*>(bytes),
                               static_cast<std::size_t>(sqlite3_column_bytes(statement_, column)))
                 : std::string();
}

double Statement::real(int column) const { return sqlite3_column_double(statement_, column); }

std::int64_t Statement::integer(int column) const { return sqlite3_column_int64(statement_, column); }

bool Statement::isNull(int column) const { return sqlite3_column_type(statement_, column) == SQLITE_NULL; }

std::optional<double> Statement::optionalReal(int column) const
{
    return isNull(column) ? std::nullopt : std::optional(real(column));
}

std::optional<std::int64_t> Statement::optionalInteger(int column) const
{
    return isNull(column) ? std::nullopt : std::optional(integer(column));
}

Transaction::Transaction(Database& db) : db_(db) { db_.execute("BEGIN IMMEDIATE"); }

Transaction::~Transaction()
{
    if (open_) sqlite3_exec(db_.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void Transaction::commit()
{
    db_.execute("COMMIT");
    open_ = false;
}

}  // namespace quorlin::sql
