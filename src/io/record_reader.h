#pragma once

#include <cstddef>
#include <cstdio>
#include <optional>
#include <span>
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
// it hold more than one short line besides the block it reads. CR LF, LF and a lone CR
// all end a line.
class LineReader {
public:
    // Longer lines are never records; reading stops at them.
    static constexpr std::size_t kMaxLineLength = 4096;

    enum class Status { Line, EndOfFile, TooLong, ReadError };

    explicit LineReader(std::FILE* file) : file_(file) { buffer_[0] = '\0'; }

    // The next line without its line end, valid until the next call. After ReadError,
    // errno tells why.
    Status next(std::string_view& line);

    // Takes the records of the lines ahead while each is plain, two numbers as
    // "digits[.digits]" with an optional minus, one comma or tab between them, and lies
    // wholly in the block at hand; the values are those parseRecord gives. Returns how
    // many were taken; the line after them is left for next().
    std::size_t takePlainRecords(std::span<RecordValues> records);

private:
    // Reads the next block after the `kept` bytes of the line in hand, which move to the
    // front; false at the end of the file or on a read error.
    bool readBlock(std::size_t kept);

    static constexpr std::size_t kBlockSize = 1 << 16;

    std::FILE* file_;
    // Room for a line kept from the block before, a block and the byte that ends the block.
    char buffer_[kMaxLineLength + kBlockSize + 1];
    std::size_t size_ = 0;
    std::size_t pos_ = 0;
    bool skipLineFeed_ = false;
    bool atStart_ = true;
};

}  // namespace quorlin
