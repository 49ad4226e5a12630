#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace quorlin::sql {

// A failure of SQLite, with its result code and its own words.
class Error : public std::runtime_error {
public:
    Error(int code, const std::string& what) : std::runtime_error(what), code_(code) {}
    int code() const { return code_; }
    // The file is no database or a damaged one.
    bool damaged() const;
    bool readOnly() const;

private:
    int code_;
};

// One connection, closed with the object.
class Database {
public:
    // `uri` is a file name or a file: URI; `flags` are SQLite's open flags.
    Database(const std::string& uri, int flags);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Statements without parameters or results, such as pragmas that set.
    void execute(const char* sql);
    void setBusyTimeout(int milliseconds);
    sqlite3* handle() const { return db_; }
    [[noreturn]] void fail(int code) const;

private:
    sqlite3* db_ = nullptr;
};

// A prepared statement. Values are bound as parameters, from 1, never written into the SQL.
class Statement {
public:
    Statement(Database& db, std::string_view sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& bind(int index, std::string_view text);
    Statement& bind(int index, double value);
    Statement& bind(int index, std::int64_t value);
    Statement& bind(int index, const std::optional<double>& value);
    Statement& bind(int index, const std::optional<std::int64_t>& value);

    // True while a row is there to read.
    bool step();
    void run();

    std::string text(int column) const;
    double real(int column) const;
    std::int64_t integer(int column) const;
    bool isNull(int column) const;
    std::optional<double> optionalReal(int column) const;
    std::optional<std::int64_t> optionalInteger(int column) const;

private:
    Database& db_;
    sqlite3_stmt* statement_ = nullptr;
};

// BEGIN IMMEDIATE, so that a writer waits for the lock before it reads what it decides on;
// rolled back unless committed.
class Transaction {
public:
    explicit Transaction(Database& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

private:
    Database& db_;
    bool open_ = true;
};

}  // namespace quorlin::sql
