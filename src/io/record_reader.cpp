#include "record_reader.h"

#include "text/number_text.h"

#include <charconv>
#include <cmath>
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

bool LineReader::fill()
{
    if (pos_ < size_) return true;
    if (readError_) return false;
    size_ = std::fread(buffer_, 1, sizeof buffer_, file_);
    pos_ = 0;
    if (size_ == 0) readError_ = std::ferror(file_) != 0;
    return size_ != 0;
}

LineReader::Status LineReader::next(std::string& line)
{
    line.clear();
    bool any = false;
    for (;;) {
        if (!fill()) {
            if (readError_) return Status::ReadError;
            if (!any) return Status::EndOfFile;
            break;
        }
        if (skipLineFeed_) {
            skipLineFeed_ = false;
            if (buffer_[pos_] == '\n') {
                ++pos_;
                continue;
            }
        }
        any = true;
        // The line's bytes up to its end or the end of the block, taken at once.
        const char* start = buffer_ + pos_;
        const char* const blockEnd = buffer_ + size_;
        const char* stop = start;
        while (stop != blockEnd && *stop != '\n' && *stop != '\r') ++stop;
        const auto run = static_cast<std::size_t>(stop - start);
        if (line.size() + run > kMaxLineLength) return Status::TooLong;
        line.append(start, run);
        pos_ += run;
        if (stop == blockEnd) continue;
        ++pos_;
        skipLineFeed_ = *stop == '\r';
        break;
    }
    // Editors on some systems start a text file with a UTF-8 byte order mark.
    if (atStart_ && line.starts_with("\xEF\xBB\xBF")) line.erase(0, 3);
    atStart_ = false;
    return Status::Line;
}

}  // namespace quorlin
