#include "logbook_file.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <sys/statfs.h>
#include <unistd.h>

namespace quorlin {

namespace {

constexpr std::string_view kSqliteMagic{"SQLite format 3\0", 16};
constexpr std::size_t kHeaderSize = 100;
constexpr std::size_t kVersionOffset = 60;
constexpr std::size_t kApplicationIdOffset = 68;

std::uint32_t bigEndian(const char* bytes)
{
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value = value << 8 | static_cast<unsigned char>(bytes[i]);
    return value;
}

std::string folderOf(const std::string& path)
{
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    return folder.empty() ? "." : folder.string();
}

}  // namespace

std::optional<LogbookHeader> readLogbookHeader(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    char bytes[kHeaderSize] = {};
    file.read(bytes, kHeaderSize);
    const auto read = static_cast<std::size_t>(file.gcount());
    if (file.bad()) return std::nullopt;
    if (read == 0) return LogbookHeader{FileKind::Empty};
    if (read < kHeaderSize || std::string_view(bytes, kSqliteMagic.size()) != kSqliteMagic) return LogbookHeader{};
    if (bigEndian(bytes + kApplicationIdOffset) != kLogbookApplicationId) return LogbookHeader{FileKind::OtherDatabase};
    return LogbookHeader{FileKind::Logbook, static_cast<std::int32_t>(bigEndian(bytes + kVersionOffset))};
}

bool onNetworkFileSystem(const std::string& folder)
{
    constexpr unsigned long kNfs = 0x6969, kSmb = 0x517B, kCifs = 0xFF534D42, kSmb2 = 0xFE534D42;
    struct statfs about {};
    if (::statfs(folder.c_str(), &about) != 0) return false;
    const auto type = static_cast<unsigned long>(about.f_type) & 0xFFFFFFFFul;
    return type == kNfs || type == kSmb || type == kCifs || type == kSmb2;
}

bool mayWrite(const std::string& path)
{
    return ::access(path.c_str(), W_OK) == 0 && ::access(folderOf(path).c_str(), W_OK) == 0;
}

std::string defaultLogbookPath()
{
    const char* data = std::getenv("XDG_DATA_HOME");
    std::filesystem::path folder;
    if (data && *data == '/')
        folder = data;
    else if (const char* home = std::getenv("HOME"); home && *home)
        folder = std::filesystem::path(home) / ".local" / "share";
    else
        folder = ".";
    return (folder / "quorlin" / "logbook.sqlite").string();
}

std::string sqliteUri(const std::string& path, const std::string& query)
{
    const std::string absolute = std::filesystem::absolute(path).string();
    std::string uri = "file:";
    constexpr char kHex[] = "0123456789ABCDEF";
    for (const unsigned char c : absolute) {
        if (c == '%' || c == '?' || c == '#' || c < 0x21 || c > 0x7e) {
            uri += '%';
            uri += kHex[c >> 4];
            uri += kHex[c & 15];
        } else {
            uri += static_cast<char>(c);
        }
    }
    return query.empty() ? uri : uri + "?" + query;
}

bool placeUnlessPresent(const std::string& made, const std::string& path)
{
    // A hard link never replaces; where the file system has none, a rename that may not.
    bool placed = ::link(made.c_str(), path.c_str()) == 0;
    if (!placed && errno != EEXIST)
        placed = ::renameat2(AT_FDCWD, made.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE) == 0;
    const int error = errno;
    const bool present = placed || error == EEXIST;
    ::unlink(made.c_str());
    if (placed) {
        // The new name lasts only once its folder is on the disk.
        if (const int folder = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY); folder >= 0) {
            ::fsync(folder);
            ::close(folder);
        }
    }
    errno = error;
    return present;
}

}  // namespace quorlin
