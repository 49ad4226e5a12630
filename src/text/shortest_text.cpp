#include "text/shortest_text.h"

#include "text/powers_of_ten.h"
#include "text/shortest_digits.h"

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace quorlin {

namespace {

// GCC and Clang both have it; the standard has no 128-bit integer.
__extension__ typedef unsigned __int128 UInt128;

constexpr std::uint64_t kTenPow8 = kPowersOfTen[8];
constexpr std::uint64_t kTenPow16 = kPowersOfTen[16];

int digitCount(std::uint64_t value)
{
    // 1233 / 4096 is just above log10(2): the count, or one less.
    const int guess = std::bit_width(value) * 1233 >> 12;
    return guess + (value >= kPowersOfTen[guess] ? 1 : 0);
}

// Digits are made as characters inside integers, the first digit in the lowest byte, so
// that one store writes many and the text is never read back.
static_assert(std::endian::native == std::endian::little);

// Eight digits of a value below 10^8, leading zeros included: halves, quarters and single
// digits side by side in lanes of 32, 16 and 8 bits, each divided by a multiplication
// exact over its lane's range.
std::uint64_t eightDigitChars(std::uint32_t value)
{
    std::uint64_t lanes = value / 10000 | std::uint64_t{value % 10000} << 32;
    const std::uint64_t hundreds = (lanes * 10486 >> 20) & 0x0000007F0000007F;
    lanes = hundreds | (lanes - hundreds * 100) << 16;
    const std::uint64_t tens = (lanes * 103 >> 10) & 0x000F000F000F000F;
    lanes = tens | (lanes - tens * 10) << 8;
    return lanes | 0x3030303030303030;
}

// Sixteen digits of a value below 10^16, leading zeros included.
UInt128 sixteenDigitChars(std::uint64_t value)
{
    return eightDigitChars(static_cast<std::uint32_t>(value / kTenPow8))
           | UInt128{eightDigitChars(static_cast<std::uint32_t>(value % kTenPow8))} << 64;
}

void storeChars(char* out, UInt128 chars) { std::memcpy(out, &chars, sizeof chars); }

// The `count` (at most 17) digits of the value with a point after the first `point` of
// them (none when `point` is `count`). Zeros beyond the last digit are written too, up to
// 33 bytes in all.
char* writeDigits(char* out, std::uint64_t value, int count, int point)
{
    // The last 16 digits, and a 17th in front of them when there are as many.
    const UInt128 last = sixteenDigitChars(value % kTenPow16);
    const int lead = count == 17 ? 1 : 0;
    const int skipped = 16 - count + lead;  // leading zeros in `last`
    storeChars(out + lead, last >> 8 * skipped);
    if (lead) out[0] = static_cast<char>('0' + value / kTenPow16);
    if (point == count) return out + count;
    out[point] = '.';
    storeChars(out + point + 1, last >> 8 * (skipped + point - lead));
    return out + count + 1;
}

char* writeExponent(char* out, int exponent)
{
    *out++ = 'e';
    *out++ = exponent < 0 ? '-' : '+';
    int magnitude = std::abs(exponent);
    if (magnitude >= 100) {
        *out++ = static_cast<char>('0' + magnitude / 100);
        magnitude %= 100;
    }
    *out++ = static_cast<char>('0' + magnitude / 10);
    *out++ = static_cast<char>('0' + magnitude % 10);
    return out;
}

// The exact digits of a whole number of `count` digits (up to 22 in fixed notation).
template <typename Float>
char* writeWholeNumber(char* out, Float magnitude, int count)
{
    if (count <= 17) return writeDigits(out, static_cast<std::uint64_t>(magnitude), count, count);
    const auto value = static_cast<UInt128>(magnitude);
    out = writeDigits(out, static_cast<std::uint64_t>(value / kTenPow16), count - 16, count - 16);
    storeChars(out, sixteenDigitChars(static_cast<std::uint64_t>(value % kTenPow16)));
    return out + 16;
}

// Lengths without the sign, for `count` digits whose first stands at 10^exponent.
int scientificLength(int count, int exponent)
{
    return count + (count > 1 ? 1 : 0) + 2 + (std::abs(exponent) >= 100 ? 3 : 2);
}
int fixedLength(int count, int exponent)
{
    if (exponent < 0) return count + 1 - exponent;
    return count <= exponent + 1 ? exponent + 1 : count + 1;
}

// At most 17 digits; fixed notation wins only for exponents from -4 up.
template <typename Float>
char* writeFinite(char* out, Float magnitude)
{
    const ShortestDigits shortest = shortestDigits(magnitude);
    const int count = digitCount(shortest.significand);
    const int exponent = shortest.exponent + count - 1;
    if (fixedLength(count, exponent) > scientificLength(count, exponent)) {
        return writeExponent(writeDigits(out, shortest.significand, count, 1), exponent);
    }
    if (exponent < 0) {
        std::memcpy(out, "0.000", 5);
        return writeDigits(out + 1 - exponent, shortest.significand, count, count);
    }
    if (exponent < count - 1) return writeDigits(out, shortest.significand, count, exponent + 1);
    // A whole number, in full even where its shortest digits are fewer.
    return writeWholeNumber(out, magnitude, exponent + 1);
}

template <typename Float>
char* writeShortest(char* first, Float value)
{
    if (!std::isfinite(value)) return std::to_chars(first, first + kShortestTextCapacity, value).ptr;
    if (std::signbit(value)) *first++ = '-';
    if (value == 0) {
        *first++ = '0';
        return first;
    }
    return writeFinite(first, std::fabs(value));
}

}  // namespace

char* writeShortestText(char* first, double value) { return writeShortest(first, value); }

char* writeShortestText(char* first, float value) { return writeShortest(first, value); }

}  // namespace quorlin
