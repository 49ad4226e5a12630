#pragma once

#include "logbook/entry.h"
#include "logbook/limits.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace quorlin {

namespace sql {
class Database;
}

// Why a logbook cannot be used, for the caller to put in words.
class LogbookError : public std::runtime_error {
public:
    enum class Problem {
        NotALogbook,   // `kind` says what the file is instead; `detail` SQLite's words on damage
        NewerVersion,  // `version` is the file's
        ReadOnly,      // a write was asked of a file or folder this process may not write
        Failed,        // the system's or SQLite's words in `detail`
    };
    enum class Kind { Empty, NotSqlite, OtherDatabase, Damaged };

    LogbookError(Problem problem, std::string path, std::string detail = {}, Kind kind = Kind::Damaged,
                 int version = 0);
    Problem problem;
    std::string path;
    std::string detail;
    Kind kind;
    int version;
};

struct EntryFilter {
    std::optional<std::string> electrode;
    std::optional<std::int64_t> since;  // seconds since 1970 UTC
};

// One logbook file. Entries are only ever added, each in a transaction of its own that
// also judges it, so writers in other processes at the same time neither lose an entry
// nor judge against a stale one. Every failure throws LogbookError.
class Logbook {
public:
    static constexpr int kVersion = 1;
    enum class Access { Read, Write };

    // Read leaves a missing file missing and reads it as empty; Write makes the file and
    // its folder when missing. A file that is no logbook, a damaged one or one of a newer
    // version is refused before anything is written to it.
    Logbook(const std::string& path, Access access);
    ~Logbook();
    Logbook(Logbook&&) noexcept;
    Logbook& operator=(Logbook&&) noexcept;

    const std::string& path() const { return path_; }
    bool onNetwork() const { return network_; }

    // The sentence a verdict is recorded with.
    using VerdictWords = std::function<std::string(const Verdict&)>;
    // Judges the entry against its electrode's limits and last passing entry, stores it
    // with a new number and that verdict, and returns it as stored.
    LogbookEntry add(LogbookEntry entry, const VerdictWords& words);

    std::vector<LogbookEntry> entries(const EntryFilter& filter = {}) const;
    std::optional<LogbookEntry> entry(std::int64_t number) const;
    std::optional<LogbookEntry> lastPassing(const std::string& electrode) const;
    std::vector<std::string> electrodes() const;

    // The defaults until set.
    ElectrodeLimits limits(const std::string& electrode) const;
    void setLimits(const std::string& electrode, const ElectrodeLimits& limits);

private:
    void requireWritable() const;
    template <typename Work>
    auto guarded(Work work) const;

    std::string path_;
    std::unique_ptr<sql::Database> db_;  // none for a missing file read
    bool writable_ = false;
    bool network_ = false;
};

}  // namespace quorlin
