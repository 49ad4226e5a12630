#include "text/shortest_digits.h"

#include <array>
#include <bit>

// Giulietti's Schubfach: the interval of reals that read back as the value is scaled by a
// power of ten 10^-k chosen so that it holds at most one multiple of 10 and at least one
// integer; the shortest digits are that multiple of 10, or else the integer nearest the value.

namespace quorlin {

namespace {

// GCC and Clang both have it; the standard has no 128-bit integer.
__extension__ typedef unsigned __int128 UInt128;

// floor(log2(10^e)), floor(log10(2^q)) and floor(log10(3/4 * 2^q)) in fixed point, exact
// over the exponents of double precision.
constexpr int floorLog2Pow10(int e) { return (e * 1741647) >> 19; }
constexpr int floorLog10Pow2(int q) { return static_cast<int>((q * 661971961083LL) >> 41); }
constexpr int floorLog10ThreeQuartersPow2(int q)
{
    return static_cast<int>((q * 661971961083LL - 274743187321LL) >> 41);
}

// The powers of ten 10^-k for every k a double or float needs.
constexpr int kMinPower = -292;
constexpr int kMaxPower = 324;

// An unsigned integer wide enough for 10^324 and 2^1407, for building the table only.
struct WideInteger {
    std::array<std::uint64_t, 22> limbs{};  // least significant first

    constexpr int bitLength() const
    {
        for (int i = limbs.size() - 1; i >= 0; --i) {
            if (limbs[i] != 0) return i * 64 + std::bit_width(limbs[i]);
        }
        return 0;
    }
    constexpr void multiplyBy(std::uint64_t factor)
    {
        UInt128 carry = 0;
        for (auto& limb : limbs) {
            const UInt128 product = UInt128(limb) * factor + carry;
            limb = static_cast<std::uint64_t>(product);
            carry = product >> 64;
        }
    }
    constexpr void divideBy(std::uint64_t divisor)
    {
        UInt128 remainder = 0;
        for (int i = limbs.size() - 1; i >= 0; --i) {
            const UInt128 part = remainder << 64 | limbs[i];
            limbs[i] = static_cast<std::uint64_t>(part / divisor);
            remainder = part % divisor;
        }
    }
    // The leading 128 bits: those below dropped, zeros appended to fewer.
    constexpr UInt128 leadingBits() const
    {
        UInt128 bits = 0;
        for (int i = bitLength() - 1, n = 0; n < 128; --i, ++n) {
            bits = bits << 1 | (i >= 0 ? (limbs[i / 64] >> (i % 64)) & 1 : 0);
        }
        return bits;
    }
};

// The leading 128 bits of 10^e, that is floor(10^e * 2^(127 - floorLog2Pow10(e))).
constexpr std::array<UInt128, kMaxPower - kMinPower + 1> kPowersOfTen = [] {
    std::array<UInt128, kMaxPower - kMinPower + 1> table{};
    WideInteger power;  // 10^e
    power.limbs[0] = 1;
    for (int e = 0; e <= kMaxPower; ++e) {
        if (power.bitLength() - 1 != floorLog2Pow10(e)) throw "floorLog2Pow10 is wrong";
        table[e - kMinPower] = power.leadingBits();
        power.multiplyBy(10);
    }
    WideInteger reciprocal;  // floor(2^1407 / 10^-e), whose leading bits are those of 10^e
    reciprocal.limbs.back() = std::uint64_t{1} << 63;
    for (int e = -1; e >= kMinPower; --e) {
        reciprocal.divideBy(10);
        if (reciprocal.bitLength() - 1408 != floorLog2Pow10(e)) throw "floorLog2Pow10 is wrong";
        table[e - kMinPower] = reciprocal.leadingBits();
    }
    return table;
}();

// A 192-bit product g * cp of a table entry g and a 64-bit cp: its top 128 bits and its
// lowest 64.
struct WideProduct {
    UInt128 upper;
    std::uint64_t lowest;

    WideProduct operator+(const WideProduct& other) const
    {
        const std::uint64_t sum = lowest + other.lowest;
        return {upper + other.upper + (sum < lowest ? 1 : 0), sum};
    }
    WideProduct operator-(const WideProduct& other) const
    {
        return {upper - other.upper - (lowest < other.lowest ? 1 : 0), lowest - other.lowest};
    }
};

WideProduct multiply(UInt128 g, std::uint64_t cp)
{
    const UInt128 low = UInt128(static_cast<std::uint64_t>(g)) * cp;
    const UInt128 high = UInt128(static_cast<std::uint64_t>(g >> 64)) * cp;
    return {high + (low >> 64), static_cast<std::uint64_t>(low)};
}

// g * 2^shift, for shifts from 1 to 63.
WideProduct shifted(UInt128 g, int shift) { return {g >> (64 - shift), static_cast<std::uint64_t>(g) << shift}; }

// The product over 2^128 rounded to odd: exact when an integer, otherwise its floor with
// the lowest bit set, which keeps comparisons with even numbers exact. A table entry plus
// one errs upwards by less than cp / 2^128, so the product's fraction is zero in its top
// 64 bits exactly when the true value is an integer.
std::uint64_t roundedToOdd(const WideProduct& product)
{
    return static_cast<std::uint64_t>(product.upper >> 64) | (static_cast<std::uint64_t>(product.upper) != 0);
}

ShortestDigits withoutTrailingZeros(std::uint64_t significand, int exponent)
{
    while (significand % 100000000 == 0) {
        significand /= 100000000;
        exponent += 8;
    }
    const auto strip = [&](std::uint64_t factor, int digits) {
        if (significand % factor != 0) return;
        significand /= factor;
        exponent += digits;
    };
    strip(10000, 4);
    strip(100, 2);
    strip(10, 1);
    return {significand, exponent};
}

// The value c * 2^q; `wideBelow` when its neighbour below is half as far as the one above.
ShortestDigits shortestOf(std::uint64_t c, int q, bool wideBelow)
{
    // The interval's middle cb and its ends cb - 2 (cb - 1 when wide below) and cb + 2 in
    // quarters of 2^q; the ends belong to it when c is even.
    const std::uint64_t cb = c << 2;
    const std::uint64_t open = c & 1;

    const int k = wideBelow ? floorLog10ThreeQuartersPow2(q) : floorLog10Pow2(q);
    const int h = q + floorLog2Pow10(-k) + 1;
    // The same in quarters of 10^k: (cb << h) * g / 2^128 with g = 10^-k * 2^(128 + q - h)
    // rounded up. The products of the ends differ from that by (2 << h) * g, or
    // (1 << h) * g below when wide: a shift instead of a multiplication, and as exact.
    const UInt128 g = kPowersOfTen[-k - kMinPower] + 1;
    const WideProduct atValue = multiply(g, cb << h);
    const WideProduct halfStep = shifted(g, h + 1);
    const std::uint64_t vb = roundedToOdd(atValue);
    const std::uint64_t vbLow = roundedToOdd(atValue - (wideBelow ? shifted(g, h) : halfStep));
    const std::uint64_t vbHigh = roundedToOdd(atValue + halfStep);
    // Bounds-checks for candidates known to lie below or above the value.
    const auto aboveLow = [&](std::uint64_t candidate) { return vbLow + open <= candidate << 2; };
    const auto belowHigh = [&](std::uint64_t candidate) { return (candidate << 2) + open <= vbHigh; };

    // A multiple of 10 inside, if any: the interval is too narrow for two. Otherwise s or
    // s + 1: the one inside, or of both the nearer, a tie to the even one. Chosen without
    // branches (| and & rather than || and &&), as random digits make either as likely.
    const std::uint64_t s = vb >> 2;
    const std::uint64_t tens = s / 10;
    const bool tensUp = belowHigh(tens * 10 + 10);
    const bool tensInside = tensUp | aboveLow(tens * 10);
    const std::uint64_t half = 4 * s + 2;
    const bool upNearer = (vb > half) | ((vb == half) & (s % 2 == 1));
    const bool up = (!aboveLow(s)) | (belowHigh(s + 1) & upNearer);
    const std::uint64_t significand = tensInside ? tens + tensUp : s + up;
    const int exponent = tensInside ? k + 1 : k;
    // Only a multiple of 10 can end in zeros (s and s + 1 are none when chosen).
    if (significand % 10 == 0) return withoutTrailingZeros(significand, exponent);
    return {significand, exponent};
}

}  // namespace

ShortestDigits shortestDigits(double value)
{
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    const int biased = static_cast<int>(bits >> 52) & 0x7ff;
    if (biased == 0) return shortestOf(fraction, -1074, false);
    return shortestOf(fraction | std::uint64_t{1} << 52, biased - 1075, fraction == 0 && biased > 1);
}

ShortestDigits shortestDigits(float value)
{
    const auto bits = std::bit_cast<std::uint32_t>(value);
    const std::uint32_t fraction = bits & ((1u << 23) - 1);
    const int biased = static_cast<int>(bits >> 23) & 0xff;
    if (biased == 0) return shortestOf(fraction, -149, false);
    return shortestOf(fraction | 1u << 23, biased - 150, fraction == 0 && biased > 1);
}

}  // namespace quorlin
