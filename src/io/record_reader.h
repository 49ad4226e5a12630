#pragma once

#include <cstddef>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace quorlin {

// One number of a data file: optional sign, digits with a point as decimal separator,
// optional exponent, nothing else. Independent of the C locale; infinities, NaN and
// values beyond double range are not numbers here.
std::optional<double> parseFileNumber(std::string_view field);

struct RecordValues {
    double first = 0.0;
    double second = 0.0;
};

// A line as one record: exactly two fields, each a number. Fields end at a comma or a
// tab (a run of tabs counts as one separator); blanks around a field are skipped.
std::optional<RecordValues> parseRecord(std::string_view line);

// Reads a data file line by line with a bounded line length, so that no input can make
// it hold more than one short line. CR LF, LF and a lone CR all end a line.
class LineReader {
public:
    // Longer lines are never records; reading stops at them.
    static constexpr std::size_t kMaxLineLength = 4096;

    enum class Status { Line, EndOfFile, TooLong, ReadError };

    explicit LineReader(std::FILE* file) : file_(file) {}

    // The next line without its line end. After ReadError, errno tells why.
    Status next(std::string& line);

private:
    // Whether a byte is waiting in the buffer, reading the next block when none is.
    bool fill();

    std::FILE* file_;
    char buffer_[1 << 16];
    std::size_t size_ = 0;
    std::size_t pos_ = 0;
    bool skipLineFeed_ = false;
    bool atStart_ = true;
    bool readError_ = false;
};

}  // namespace quorlin
