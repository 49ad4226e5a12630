#include "text/shortest_text.h"

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

constexpr auto kDigitPairs = [] {
    std::array<char, 200> pairs{};
    for (int i = 0; i < 100; ++i) {
        pairs[2 * i] = static_cast<char>('0' + i / 10);
        pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
    }
    return pairs;
}();

constexpr auto kPowersOfTen = [] {
    std::array<std::uint64_t, 20> powers{};
    powers[0] = 1;
    for (std::size_t i = 1; i < powers.size(); ++i) powers[i] = powers[i - 1] * 10;
    return powers;
}();

int digitCount(std::uint64_t value)
{
    // 1233 / 4096 is just above log10(2): the count, or one less.
    const int guess = std::bit_width(value) * 1233 >> 12;
    return guess + (value >= kPowersOfTen[guess] ? 1 : 0);
}

void writePair(char* out, std::uint32_t value) { std::memcpy(out, &kDigitPairs[2 * value], 2); }

// Eight digits, leading zeros included, in halves that do not wait for each other.
void writeEightDigits(char* out, std::uint32_t value)
{
    const std::uint32_t high = value / 10000;
    const std::uint32_t low = value % 10000;
    writePair(out, high / 100);
    writePair(out + 2, high % 100);
    writePair(out + 4, low / 100);
    writePair(out + 6, low % 100);
}

// Digits written with leading zeros, then copied in fixed sizes without branching on the
// count: the room behind them absorbs what a copy takes beyond them.
struct DigitBlock {
    static constexpr int kDigits = 18;
    char chars[40];

    // The last `count` digits of a value below 10^18.
    const char* digitsOf(std::uint64_t value, int count)
    {
        const std::uint64_t high = value / 100000000;
        writePair(chars, static_cast<std::uint32_t>(high / 100000000));
        writeEightDigits(chars + 2, static_cast<std::uint32_t>(high % 100000000));
        writeEightDigits(chars + 10, static_cast<std::uint32_t>(value % 100000000));
        return chars + kDigits - count;
    }
};

char* writeExponent(char* out, int exponent)
{
    *out++ = 'e';
    *out++ = exponent < 0 ? '-' : '+';
    auto magnitude = static_cast<std::uint32_t>(std::abs(exponent));
    if (magnitude >= 100) {
        *out++ = static_cast<char>('0' + magnitude / 100);
        magnitude %= 100;
    }
    writePair(out, magnitude);
    return out + 2;
}

// The exact digits of a whole number of `count` digits (up to 22 in fixed notation).
template <typename Float>
char* writeWholeNumber(char* out, Float magnitude, int count)
{
    DigitBlock block;
    if (count <= DigitBlock::kDigits) {
        std::memcpy(out, block.digitsOf(static_cast<std::uint64_t>(magnitude), count), count);
        return out + count;
    }
    constexpr std::uint64_t kTenPow18 = 1'000'000'000'000'000'000;
    const auto value = static_cast<UInt128>(magnitude);
    const int leading = count - DigitBlock::kDigits;
    std::memcpy(out, block.digitsOf(static_cast<std::uint64_t>(value / kTenPow18), leading), leading);
    std::memcpy(out + leading, block.digitsOf(static_cast<std::uint64_t>(value % kTenPow18), DigitBlock::kDigits),
                DigitBlock::kDigits);
    return out + count;
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
        DigitBlock block;
        const char* digits = block.digitsOf(shortest.significand, count);
        out[0] = digits[0];
        out[1] = '.';
        std::memcpy(out + 2, digits + 1, 16);
        return writeExponent(out + (count > 1 ? count + 1 : 1), exponent);
    }
    if (exponent < 0) {
        DigitBlock block;
        std::memcpy(out, "0.000", 5);
        std::memcpy(out + 1 - exponent, block.digitsOf(shortest.significand, count), 17);
        return out + 1 - exponent + count;
    }
    if (exponent < count - 1) {
        DigitBlock block;
        const char* digits = block.digitsOf(shortest.significand, count);
        std::memcpy(out, digits, 16);
        out[exponent + 1] = '.';
        std::memcpy(out + exponent + 2, digits + exponent + 1, 16);
        return out + count + 1;
    }
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
