#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace quorlin {

// What the first 100 bytes of a file say about it, read without SQLite, which could
// otherwise take an empty or foreign file for a fresh database and write to it.
enum class FileKind { Empty, NotSqlite, OtherDatabase, Logbook };
struct LogbookHeader {
    FileKind kind = FileKind::NotSqlite;
    std::int32_t version = 0;  // the schema version of a logbook
};
inline constexpr std::uint32_t kLogbookApplicationId = 0x51524C4E;  // "QRLN"

// Nothing when the file cannot be read (errno says why).
std::optional<LogbookHeader> readLogbookHeader(const std::string& path);

// A network file system (NFS, SMB/CIFS), whose locks cannot carry write-ahead logging.
bool onNetworkFileSystem(const std::string& folder);

// Whether this process may write the file, and the folder beside it that holds the journal.
bool mayWrite(const std::string& path);

// $XDG_DATA_HOME/quorlin/logbook.sqlite, or ~/.local/share/quorlin/logbook.sqlite.
std::string defaultLogbookPath();

// The path as a file: URI with the query given, for SQLite's open.
std::string sqliteUri(const std::string& path, const std::string& query);

// Puts `made` at `path` unless a file is there already: made aside and linked into place
// whole, so no one ever sees a half-made logbook. Removes `made` in either case; false
// (errno set) when it could not be placed and nothing is at `path`.
bool placeUnlessPresent(const std::string& made, const std::string& path);

}  // namespace quorlin
