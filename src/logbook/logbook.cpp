#include "logbook.h"

#include "logbook/logbook_file.h"
#include "logbook/sqlite.h"
#include "logbook/utc_time.h"

#include <sqlite3.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorlin {

namespace {

constexpr int kBusyMilliseconds = 30000;

// Triggers keep what was recorded as it was, whatever program writes to the file.
constexpr const char* kSchema = R"(
CREATE TABLE entry(
  number INTEGER PRIMARY KEY AUTOINCREMENT,
  electrode TEXT NOT NULL, operator TEXT NOT NULL, note TEXT NOT NULL, temperature REAL,
  time_utc TEXT NOT NULL, file TEXT NOT NULL, sha256 TEXT NOT NULL, edited_after_loading INTEGER NOT NULL,
  acid_concentration TEXT NOT NULL, initial_volume TEXT NOT NULL, point_count INTEGER NOT NULL,
  left_out TEXT NOT NULL, ezero REAL, ezero_sigma REAL, slope REAL, slope_sigma REAL, jcorr REAL,
  jcorr_sigma REAL, rms REAL, outliers TEXT NOT NULL, warnings TEXT NOT NULL, version TEXT NOT NULL,
  passed INTEGER NOT NULL, verdict TEXT NOT NULL, corrects INTEGER REFERENCES entry(number));
CREATE INDEX entry_by_electrode ON entry(electrode, number);
CREATE TRIGGER entry_never_changed BEFORE UPDATE ON entry BEGIN SELECT RAISE(ABORT, 'logbook entries are never changed'); END;
CREATE TRIGGER entry_never_deleted BEFORE DELETE ON entry BEGIN SELECT RAISE(ABORT, 'logbook entries are never deleted'); END;
CREATE TABLE limits(
  electrode TEXT PRIMARY KEY, slope_percent_min REAL NOT NULL, slope_percent_max REAL NOT NULL,
  rms_max REAL, ezero_drift_max REAL, jcorr_min REAL, jcorr_max REAL, valid_days REAL);
)";

constexpr const char* kColumns =
    "number, electrode, operator, note, temperature, time_utc, file, sha256, edited_after_loading, "
    "acid_concentration, initial_volume, point_count, left_out, ezero, ezero_sigma, slope, slope_sigma, jcorr, "
    "jcorr_sigma, rms, outliers, warnings, version, passed, verdict, corrects";

// SQLite stores a NaN as NULL; it reads back as NaN.
double realOrNaN(const sql::Statement& s, int column)
{
    return s.isNull(column) ? std::numeric_limits<double>::quiet_NaN() : s.real(column);
}

LogbookEntry readEntry(const sql::Statement& s)
{
    LogbookEntry e;
    e.number = s.integer(0);
    e.electrode = s.text(1);
    e.operatorName = s.text(2);
    e.note = s.text(3);
    e.temperature = s.optionalReal(4);
    e.time = parseUtcText(s.text(5)).value_or(0);
    e.file = s.text(6);
    e.sha256 = s.text(7);
    e.editedAfterLoading = s.integer(8) != 0;
    e.acidConcentration = s.text(9);
    e.initialVolume = s.text(10);
    e.pointCount = s.integer(11);
    e.leftOut = s.text(12);
    e.ezero = realOrNaN(s, 13);
    e.ezeroSigma = realOrNaN(s, 14);
    e.slope = realOrNaN(s, 15);
    e.slopeSigma = realOrNaN(s, 16);
    e.jcorr = realOrNaN(s, 17);
    e.jcorrSigma = realOrNaN(s, 18);
    e.rms = realOrNaN(s, 19);
    e.outliers = s.text(20);
    e.warnings = s.text(21);
    e.version = s.text(22);
    e.passed = s.integer(23) != 0;
    e.verdict = s.text(24);
    e.corrects = s.optionalInteger(25);
    return e;
}

std::string folderOf(const std::string& path)
{
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    return folder.empty() ? "." : folder.string();
}

[[noreturn]] void failWithErrno(const std::string& path)
{
    throw LogbookError(LogbookError::Problem::Failed, path, std::strerror(errno));
}

// A new logbook made beside `path` and placed there whole, unless another process placed
// one first. It is born in the journal mode it is used in: writers that meet a logbook in
// another mode would race to change it, and the loser would find it locked.
void createLogbook(const std::string& path, bool network)
{
    std::string made = (std::filesystem::path(folderOf(path)) / ".logbook-XXXXXX").string();
    const int fd = ::mkstemp(made.data());
    if (fd < 0) failWithErrno(path);
    // mkstemp makes the file for its owner alone; a logbook is shared as any new file is.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
    ::close(fd);
    try {
        sql::Database db(made, SQLITE_OPEN_READWRITE);
        db.execute("PRAGMA journal_mode=DELETE");
        sql::Transaction transaction(db);
        db.execute(kSchema);
        db.execute(("PRAGMA application_id=" + std::to_string(kLogbookApplicationId)).c_str());
        db.execute(("PRAGMA user_version=" + std::to_string(Logbook::kVersion)).c_str());
        transaction.commit();
        db.execute(network ? "PRAGMA journal_mode=DELETE" : "PRAGMA journal_mode=WAL");
    } catch (const sql::Error& error) {
        ::unlink(made.c_str());
        throw LogbookError(LogbookError::Problem::Failed, path, error.what());
    }
    if (!placeUnlessPresent(made, path)) failWithErrno(path);
}

// What the header says, refused unless it is a logbook this program knows.
void checkHeader(const std::string& path)
{
    const std::optional<LogbookHeader> header = readLogbookHeader(path);
    if (!header) failWithErrno(path);
    using K = LogbookError::Kind;
    std::optional<K> refusal;
    switch (header->kind) {
    case FileKind::Empty: refusal = K::Empty; break;
    case FileKind::NotSqlite: refusal = K::NotSqlite; break;
    case FileKind::OtherDatabase: refusal = K::OtherDatabase; break;
    case FileKind::Logbook:
        if (header->version > Logbook::kVersion)
            throw LogbookError(LogbookError::Problem::NewerVersion, path, {}, K::Damaged, header->version);
        if (header->version < 1) refusal = K::Damaged;
        break;
    }
    if (refusal) throw LogbookError(LogbookError::Problem::NotALogbook, path, {}, *refusal);
}

// Reads the whole file once, so that damage shows now and not in the middle of a command.
void checkContents(sql::Database& db, const std::string& path)
{
    sql::Statement check(db, "PRAGMA quick_check(1)");
    std::string verdict = check.step() ? check.text(0) : std::string();
    std::replace(verdict.begin(), verdict.end(), '\n', ' ');
    if (verdict != "ok")
        throw LogbookError(LogbookError::Problem::NotALogbook, path, verdict, LogbookError::Kind::Damaged);
}

}  // namespace

LogbookError::LogbookError(Problem problem, std::string path, std::string detail, Kind kind, int version)
    : std::runtime_error(path + ": " + detail), problem(problem), path(std::move(path)), detail(std::move(detail)),
      kind(kind), version(version)
{
}

// SQLite's failures as the logbook's.
template <typename Work>
auto Logbook::guarded(Work work) const
{
    try {
        return work();
    } catch (const sql::Error& error) {
        using P = LogbookError::Problem;
        if (error.damaged()) throw LogbookError(P::NotALogbook, path_, error.what(), LogbookError::Kind::Damaged);
        if (error.readOnly()) throw LogbookError(P::ReadOnly, path_, error.what());
        throw LogbookError(P::Failed, path_, error.what());
    }
}

Logbook::Logbook(const std::string& path, Access access) : path_(path)
{
    const bool exists = ::access(path.c_str(), F_OK) == 0;
    if (!exists && access == Access::Read) return;
    std::error_code ignored;
    if (!exists) std::filesystem::create_directories(folderOf(path), ignored);
    network_ = onNetworkFileSystem(folderOf(path));
    if (!exists) createLogbook(path, network_);
    checkHeader(path);
    writable_ = access == Access::Write && mayWrite(path);
    if (access == Access::Write && !writable_) throw LogbookError(LogbookError::Problem::ReadOnly, path);
    guarded([&] {
        if (writable_) {
            db_ = std::make_unique<sql::Database>(sqliteUri(path, ""), SQLITE_OPEN_READWRITE);
        } else {
            // A logbook in write-ahead mode whose folder takes no new files is read as it is.
            try {
                db_ = std::make_unique<sql::Database>(sqliteUri(path, "mode=ro"), SQLITE_OPEN_READONLY);
                db_->setBusyTimeout(kBusyMilliseconds);
                checkContents(*db_, path);
                return 0;
            } catch (const sql::Error& error) {
                if (error.damaged()) throw;
                db_ = std::make_unique<sql::Database>(sqliteUri(path, "mode=ro&immutable=1"), SQLITE_OPEN_READONLY);
            }
        }
        db_->setBusyTimeout(kBusyMilliseconds);
        checkContents(*db_, path);
        if (writable_) {
            // Write-ahead logging needs memory shared between the writers, which a network
            // file system does not give; there the rollback journal takes one writer at a time.
            db_->execute(network_ ? "PRAGMA journal_mode=DELETE" : "PRAGMA journal_mode=WAL");
            db_->execute("PRAGMA foreign_keys=ON");
        }
        return 0;
    });
}

Logbook::~Logbook() = default;
Logbook::Logbook(Logbook&&) noexcept = default;
Logbook& Logbook::operator=(Logbook&&) noexcept = default;

void Logbook::requireWritable() const
{
    if (!writable_) throw LogbookError(LogbookError::Problem::ReadOnly, path_);
}

LogbookEntry Logbook::add(LogbookEntry e, const VerdictWords& words)
{
    requireWritable();
    return guarded([&] {
        sql::Transaction transaction(*db_);
        const ElectrodeLimits bounds = limits(e.electrode);
        const std::optional<LogbookEntry> previous = lastPassing(e.electrode);
        const Verdict verdict = judge({e.ezero, e.slope, e.jcorr, e.rms, e.temperature}, bounds,
                                      previous ? std::optional(previous->ezero) : std::nullopt);
        e.passed = verdict.passed();
        e.verdict = words(verdict);
        sql::Statement insert(*db_, "INSERT INTO entry(electrode, operator, note, temperature, time_utc, file, "
                                    "sha256, edited_after_loading, acid_concentration, initial_volume, point_count, "
                                    "left_out, ezero, ezero_sigma, slope, slope_sigma, jcorr, jcorr_sigma, rms, "
                                    "outliers, warnings, version, passed, verdict, corrects) VALUES (?, ?, ?, ?, ?, "
                                    "?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        insert.bind(1, e.electrode).bind(2, e.operatorName).bind(3, e.note).bind(4, e.temperature);
        insert.bind(5, utcText(e.time)).bind(6, e.file).bind(7, e.sha256);
        insert.bind(8, std::int64_t{e.editedAfterLoading}).bind(9, e.acidConcentration).bind(10, e.initialVolume);
        insert.bind(11, e.pointCount).bind(12, e.leftOut).bind(13, e.ezero).bind(14, e.ezeroSigma);
        insert.bind(15, e.slope).bind(16, e.slopeSigma).bind(17, e.jcorr).bind(18, e.jcorrSigma).bind(19, e.rms);
        insert.bind(20, e.outliers).bind(21, e.warnings).bind(22, e.version).bind(23, std::int64_t{e.passed});
        insert.bind(24, e.verdict).bind(25, e.corrects);
        insert.run();
        e.number = sqlite3_last_insert_rowid(db_->handle());
        transaction.commit();
        return e;
    });
}

std::vector<LogbookEntry> Logbook::entries(const EntryFilter& filter) const
{
    std::vector<LogbookEntry> found;
    if (!db_) return found;
    return guarded([&] {
        sql::Statement select(*db_, std::string("SELECT ") + kColumns
                                        + " FROM entry WHERE (?1 IS NULL OR electrode = ?1) AND (?2 IS NULL OR "
                                          "time_utc >= ?2) ORDER BY number");
        if (filter.electrode) select.bind(1, *filter.electrode);
        if (filter.since) select.bind(2, utcText(*filter.since));
        while (select.step()) found.push_back(readEntry(select));
        return found;
    });
}

std::optional<LogbookEntry> Logbook::entry(std::int64_t number) const
{
    if (!db_) return std::nullopt;
    return guarded([&]() -> std::optional<LogbookEntry> {
        sql::Statement select(*db_, std::string("SELECT ") + kColumns + " FROM entry WHERE number = ?");
        select.bind(1, number);
        if (!select.step()) return std::nullopt;
        return readEntry(select);
    });
}

std::optional<LogbookEntry> Logbook::lastPassing(const std::string& electrode) const
{
    if (!db_) return std::nullopt;
    return guarded([&]() -> std::optional<LogbookEntry> {
        sql::Statement select(*db_,
                              std::string("SELECT ") + kColumns
                                  + " FROM entry WHERE electrode = ? AND passed = 1 ORDER BY number DESC LIMIT 1");
        select.bind(1, electrode);
        if (!select.step()) return std::nullopt;
        return readEntry(select);
    });
}

std::vector<std::string> Logbook::electrodes() const
{
    std::vector<std::string> names;
    if (!db_) return names;
    return guarded([&] {
        sql::Statement select(*db_, "SELECT electrode FROM entry UNION SELECT electrode FROM limits ORDER BY 1");
        while (select.step()) names.push_back(select.text(0));
        return names;
    });
}

ElectrodeLimits Logbook::limits(const std::string& electrode) const
{
    ElectrodeLimits found;
    if (!db_) return found;
    return guarded([&] {
        sql::Statement select(*db_, "SELECT slope_percent_min, slope_percent_max, rms_max, ezero_drift_max, "
                                    "jcorr_min, jcorr_max, valid_days FROM limits WHERE electrode = ?");
        select.bind(1, electrode);
        if (select.step()) {
            found.slopePercentMin = select.real(0);
            found.slopePercentMax = select.real(1);
            found.rmsMax = select.optionalReal(2);
            found.ezeroDriftMax = select.optionalReal(3);
            found.jcorrMin = select.optionalReal(4);
            found.jcorrMax = select.optionalReal(5);
            found.validDays = select.optionalReal(6);
        }
        return found;
    });
}

void Logbook::setLimits(const std::string& electrode, const ElectrodeLimits& l)
{
    requireWritable();
    guarded([&] {
        sql::Transaction transaction(*db_);
        sql::Statement upsert(*db_, "INSERT OR REPLACE INTO limits(electrode, slope_percent_min, slope_percent_max, "
                                    "rms_max, ezero_drift_max, jcorr_min, jcorr_max, valid_days) VALUES (?, ?, ?, ?, "
                                    "?, ?, ?, ?)");
        upsert.bind(1, electrode).bind(2, l.slopePercentMin).bind(3, l.slopePercentMax).bind(4, l.rmsMax);
        upsert.bind(5, l.ezeroDriftMax).bind(6, l.jcorrMin).bind(7, l.jcorrMax).bind(8, l.validDays);
        upsert.run();
        transaction.commit();
        return 0;
    });
}

}  // namespace quorlin
