#include "text/decimal_digits.h"
#include "text/powers_of_ten.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>

namespace quorlin {

namespace {

// A double's exact decimal expansion never has more significant digits than this.
constexpr int kExactDigits = 767;
constexpr int kGuardDigits = 10;

void trimTrailingZeros(DecimalDigits& d)
{
    while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
}

// |value| correctly rounded to `count` significant digits, as "d.ddd...e+XX" read back.
DecimalDigits scientificDigits(double magnitude, int count)
{
    DecimalDigits d;
    std::array<char, kExactDigits + 16> buffer{};
    const auto end =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude, std::chars_format::scientific, count - 1)
            .ptr;
    const char* p = buffer.data();
    for (; p != end && *p != 'e'; ++p) {
        if (*p != '.') d.digits.push_back(*p);
    }
    std::from_chars(p + 1 + (p[1] == '+' ? 1 : 0), end, d.exponent);
    trimTrailingZeros(d);
    return d;
}

// A 128-bit product in two halves: the standard has no 128-bit integer, and compilers
// have none for 32-bit machines.
struct Wide {
    std::uint64_t high = 0;
    std::uint64_t low = 0;
};

Wide multiply(std::uint64_t a, std::uint64_t b)
{
    constexpr std::uint64_t kHalf = 0xFFFFFFFF;
    const std::uint64_t a0 = a & kHalf, a1 = a >> 32, b0 = b & kHalf, b1 = b >> 32;
    const std::uint64_t p00 = a0 * b0, p01 = a0 * b1, p10 = a1 * b0;
    const std::uint64_t middle = (p00 >> 32) + (p01 & kHalf) + (p10 & kHalf);
    return {a1 * b1 + (p01 >> 32) + (p10 >> 32) + (middle >> 32), middle << 32 | (p00 & kHalf)};
}

// value >> shift, for shift in 1..127.
Wide shiftedRight(Wide value, int shift)
{
    if (shift >= 64) return {0, value.high >> (shift - 64)};
    return {value.high >> shift, value.low >> shift | value.high << (64 - shift)};
}

bool bitAt(Wide value, int place) { return ((place >= 64 ? value.high >> (place - 64) : value.low >> place) & 1) != 0; }

// The exponent of a double's leading binary digit, as a first guess at the decimal one:
// floor(binary·log10 2) is the decimal exponent or one below it.
int decimalExponentGuess(int biased) { return ((biased - 1023) * 78913) >> 18; }

}  // namespace

// |value| = m·2^-s, scaled by 10^(significant-1-exponent) into 128 bits, where the bits
// shifted out decide the half exactly. The whole part is compared with powers of ten,
// which for whole numbers is the same as comparing the scaled value with them shifted.
std::optional<RoundedInteger> roundedInteger(double magnitude, int significant)
{
    const auto bits = std::bit_cast<std::uint64_t>(magnitude);
    const int biased = static_cast<int>(bits >> 52);
    if (biased == 0 || significant < 1 || significant > 17) return std::nullopt;
    const std::uint64_t m = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
    const int shift = 1075 - biased;
    if (shift < 1) return std::nullopt;  // 2^52 and above: whole numbers only

    int exponent = decimalExponentGuess(biased);
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int scale = significant - 1 - exponent;
        // The last bound is where the shifted powers of ten once outgrew 128 bits; kept so
        // that the same values go the other way.
        if (scale < 0 || scale >= static_cast<int>(kPowersOfTen.size()) || shift + 4 * significant > 126)
            return std::nullopt;
        const Wide scaled = multiply(m, kPowersOfTen[static_cast<std::size_t>(scale)]);
        const Wide whole = shiftedRight(scaled, shift);
        // Whatever the guess, the scaled value says whether it was right.
        if (whole.high == 0 && whole.low < kPowersOfTen[static_cast<std::size_t>(significant - 1)]) {
            --exponent;
            continue;
        }
        if (whole.high != 0 || whole.low >= kPowersOfTen[static_cast<std::size_t>(significant)]) {
            ++exponent;
            continue;
        }
        std::uint64_t kept = whole.low;
        if (bitAt(scaled, shift - 1)) ++kept;  // half or more: away from zero
        if (kept == kPowersOfTen[static_cast<std::size_t>(significant)]) {
            kept /= 10;
            ++exponent;
        }
        return RoundedInteger{kept, exponent};
    }
    return std::nullopt;
}

namespace {

// The same digits as text, without trailing zeros.
std::optional<DecimalDigits> roundedDigitsInIntegers(double magnitude, int significant)
{
    const std::optional<RoundedInteger> rounded = roundedInteger(magnitude, significant);
    if (!rounded) return std::nullopt;
    DecimalDigits d;
    d.exponent = rounded->exponent;
    std::array<char, 20> text{};
    d.digits.assign(text.data(), std::to_chars(text.data(), text.data() + text.size(), rounded->digits).ptr);
    trimTrailingZeros(d);
    return d;
}

}  // namespace

char DecimalDigits::digitAt(int place) const
{
    const long index = static_cast<long>(exponent) - place;
    if (index < 0 || index >= static_cast<long>(digits.size())) return '0';
    return digits[static_cast<std::size_t>(index)];
}

DecimalDigits roundedDigits(double value, int significant)
{
    const double magnitude = std::fabs(value);
    if (magnitude == 0.0 || !std::isfinite(magnitude)) return {};
    if (auto d = roundedDigitsInIntegers(magnitude, significant)) return std::move(*d);
    return exactRoundedDigits(magnitude, significant);
}

DecimalDigits exactRoundedDigits(double value, int significant)
{
    const double magnitude = std::fabs(value);
    if (magnitude == 0.0 || !std::isfinite(magnitude)) return {};

    // Ten digits beyond those kept decide the rounding unless they read as an exact half,
    // where only the full expansion can tell a tie from a value a hair either side.
    if (significant > 0 && significant + kGuardDigits <= kExactDigits) {
        DecimalDigits guarded = scientificDigits(magnitude, significant + kGuardDigits);
        const std::string tail =
            guarded.digits.substr(std::min<std::size_t>(guarded.digits.size(), static_cast<std::size_t>(significant)));
        const bool looksLikeHalf =
            !tail.empty() && tail[0] == '5' && tail.find_first_not_of('0', 1) == std::string::npos;
        if (!looksLikeHalf) return roundToCount(std::move(guarded), significant);
    }
    return roundToCount(scientificDigits(magnitude, kExactDigits), significant);
}

DecimalDigits roundToCount(DecimalDigits d, int count)
{
    if (count < 0) return {};
    const auto kept = static_cast<std::size_t>(count);
    if (kept >= d.digits.size()) return d;

    const bool up = d.digits[kept] >= '5';
    d.digits.resize(kept);
    if (up) {
        std::size_t i = kept;
        while (i > 0 && d.digits[i - 1] == '9') d.digits[--i] = '0';
        if (i > 0) {
            ++d.digits[i - 1];
        } else {
            // Carried past the first digit: one place higher.
            d.digits.insert(d.digits.begin(), '1');
            ++d.exponent;
        }
    }
    trimTrailingZeros(d);
    if (d.digits.empty()) d.exponent = 0;
    return d;
}

DecimalDigits roundToPlace(const DecimalDigits& d, int lowestPlace)
{
    if (d.isZero()) return d;
    const long count = static_cast<long>(d.exponent) - lowestPlace + 1;
    if (count < 0) return {};
    return roundToCount(d, static_cast<int>(std::min<long>(count, static_cast<long>(d.digits.size()))));
}

}  // namespace quorlin
