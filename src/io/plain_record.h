#pragma once
// The usual record of a data file, "digits[.digits]<comma or tab>digits[.digits]", read
// without from_chars and to the same bits.

#include "record_reader.h"

#include <cfloat>
#include <cstddef>
#include <cstdint>

namespace quorlin {

// Up to 15 digits make an integer that a double holds exactly, and every power of ten
// up to 10^15 is exact too, so one division, correctly rounded, gives the correctly
// rounded value of the decimal number: the value from_chars gives.
static_assert(FLT_EVAL_METHOD == 0, "the plain path needs double arithmetic without excess precision");
inline constexpr std::ptrdiff_t kMostPlainDigits = 15;
inline constexpr double kExactPowersOfTen[kMostPlainDigits + 1] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                                   1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

inline bool isDigit(char c) { return static_cast<unsigned char>(c - '0') < 10; }

// Reads "[-]digits[.digits]" of at most kMostPlainDigits digits at `p`; the byte after
// it, or nullptr when the bytes are anything else. The bytes must end in one that is no
// digit, so that no run of digits needs a bound.
inline const char* parsePlainNumber(const char* p, double& value)
{
    const bool negative = *p == '-';
    p += negative;
    const char* const start = p;
    std::uint64_t digits = 0;
    while (isDigit(*p)) digits = digits * 10 + static_cast<unsigned char>(*p++ - '0');
    const std::ptrdiff_t whole = p - start;
    std::ptrdiff_t fraction = 0;
    if (*p == '.') {
        const char* const point = ++p;
        while (isDigit(*p)) digits = digits * 10 + static_cast<unsigned char>(*p++ - '0');
        fraction = p - point;
        if (fraction == 0) return nullptr;
    }
    if (whole == 0 || whole + fraction > kMostPlainDigits) return nullptr;
    const double magnitude = static_cast<double>(digits) / kExactPowersOfTen[fraction];
    value = negative ? -magnitude : magnitude;
    return p;
}

// Reads a plain record and its line end at `p`, before `end`, where a byte that is no
// digit must follow; the start of the next line, or nullptr when the line is anything
// else or its end is not yet known.
inline const char* parsePlainRecord(const char* p, const char* end, RecordValues& record)
{
    p = parsePlainNumber(p, record.first);
    if (!p || (*p != ',' && *p != '\t')) return nullptr;
    p = parsePlainNumber(p + 1, record.second);
    if (!p) return nullptr;
    if (*p == '\n') return p + 1;
    // After a CR that ends the block, a LF of the same line end may start the next one.
    if (*p != '\r' || p + 1 == end) return nullptr;
    return p[1] == '\n' ? p + 2 : p + 1;
}

}  // namespace quorlin
