#include "record_reader.h"

#include "plain_record.h"
#include "text/number_text.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <system_error>

namespace quorlin {

namespace {

bool isBlankOrTab(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::optional<double> parseFileNumber(std::string_view field)
{
    field = trimSpaces(field);
    // from_chars takes a minus but not a plus; a plus before another sign stays invalid.
    if (field.size() > 1 && field.front() == '+' && field[1] != '-' && field[1] != '+') field.remove_prefix(1);
    if (field.empty()) return std::nullopt;

    double value = 0.0;
    const char* end = field.data() + field.size();
    const auto [ptr, ec] = std::from_chars(field.data(), end, value, std::chars_format::general);
    if (ec != std::errc() || ptr != end || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<RecordValues> parseRecord(std::string_view line)
{
    double values[2] = {0.0, 0.0};
    int fields = 0;
    std::size_t i = 0;
    const std::size_t n = line.size();
    for (;;) {
        while (i < n && isBlankOrTab(line[i])) ++i;
        const std::size_t start = i;
        while (i < n && line[i] != ',' && line[i] != '\t') ++i;
        if (fields == 2) return std::nullopt;
        const auto value = parseFileNumber(line.substr(start, i - start));
        if (!value) return std::nullopt;
        values[fields++] = *value;

        while (i < n && isBlankOrTab(line[i])) ++i;
        if (i == n) break;
        if (line[i] == ',') ++i;  // a trailing comma leaves an empty third field
    }
    if (fields != 2) return std::nullopt;
    return RecordValues{values[0], values[1]};
}

bool LineReader::readBlock(std::size_t kept)
{
    std::memmove(buffer_, buffer_ + pos_, kept);
    pos_ = 0;
    size_ = kept + std::fread(buffer_ + kept, 1, kBlockSize, file_);
    buffer_[size_] = '\0';  // ends the plain path's runs of digits
    return size_ != kept;
}

LineReader::Status LineReader::next(std::string_view& line)
{
    if (skipLineFeed_) {
        if (pos_ == size_ && !readBlock(0)) return std::ferror(file_) ? Status::ReadError : Status::EndOfFile;
        skipLineFeed_ = false;
        if (buffer_[pos_] == '\n') ++pos_;
    }
    // The line's bytes up to its end; one that runs past the block is kept for the next.
    std::size_t length = 0;
    for (;;) {
        const char* const start = buffer_ + pos_;
        const char* const blockEnd = buffer_ + size_;
        const char* stop = start + length;
        while (stop != blockEnd && *stop != '\n' && *stop != '\r') ++stop;
        length = static_cast<std::size_t>(stop - start);
        if (length > kMaxLineLength) return Status::TooLong;
        if (stop != blockEnd) {
            line = std::string_view(start, length);
            pos_ += length + 1;
            // A LF after a CR belongs to the same line end; the next block may hold it.
            if (*stop == '\r') {
                if (pos_ == size_)
                    skipLineFeed_ = true;
                else if (buffer_[pos_] == '\n')
                    ++pos_;
            }
            break;
        }
        if (!readBlock(length)) {
            if (std::ferror(file_)) return Status::ReadError;
            if (length == 0) return Status::EndOfFile;
            line = std::string_view(buffer_, length);
            pos_ = length;
            break;
        }
    }
    // Editors on some systems start a text file with a UTF-8 byte order mark.
    if (atStart_ && line.starts_with("\xEF\xBB\xBF")) line.remove_prefix(3);
    atStart_ = false;
    return Status::Line;
}

std::size_t LineReader::takePlainRecords(std::span<RecordValues> records)
{
    // A byte order mark and a line feed still owed to a CR are next()'s to see to.
    if (atStart_ || skipLineFeed_) return 0;
    const char* p = buffer_ + pos_;
    const char* const blockEnd = buffer_ + size_;
    std::size_t taken = 0;
    for (; taken != records.size(); ++taken) {
        const char* const nextLine = parsePlainRecord(p, blockEnd, records[taken]);
        if (!nextLine) break;
        p = nextLine;
    }
    pos_ = static_cast<std::size_t>(p - buffer_);
    return taken;
}

}  // namespace quorlin
