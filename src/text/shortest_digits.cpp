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

// cp * 10^e * 2^(-floorLog2Pow10(e) - 1) rounded to odd: exact when that is an integer,
// otherwise its floor with the lowest bit set, which keeps comparisons with even numbers
// exact. The table entry plus one errs upwards by less than cp / 2^128, so the product's
// fraction is zero in its top 64 bits exactly when the true value is an integer.
std::uint64_t scaledRoundedToOdd(int e, std::uint64_t cp)
{
    const UInt128 g = kPowersOfTen[e - kMinPower] + 1;
    const UInt128 low = UInt128(static_cast<std::uint64_t>(g)) * cp;
    const UInt128 high = UInt128(static_cast<std::uint64_t>(g >> 64)) * cp;
    const UInt128 upper = high + (low >> 64);
    return static_cast<std::uint64_t>(upper >> 64) | (static_cast<std::uint64_t>(upper) != 0);
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
    // An integer below 2^53 (2^24 for a float) is its own shortest text.
    if (q <= 0 && q > -64 && (c & ((std::uint64_t{1} << -q) - 1)) == 0) return withoutTrailingZeros(c >> -q, 0);

    // The interval's ends and middle in quarters of 2^q; its ends belong to it when c is even.
    const std::uint64_t cb = c << 2;
    const std::uint64_t cbLow = wideBelow ? cb - 1 : cb - 2;
    const std::uint64_t cbHigh = cb + 2;
    const std::uint64_t open = c & 1;

    const int k = wideBelow ? floorLog10ThreeQuartersPow2(q) : floorLog10Pow2(q);
    const int h = q + floorLog2Pow10(-k) + 1;
    // The same in quarters of 10^k.
    const std::uint64_t vb = scaledRoundedToOdd(-k, cb << h);
    const std::uint64_t vbLow = scaledRoundedToOdd(-k, cbLow << h);
    const std::uint64_t vbHigh = scaledRoundedToOdd(-k, cbHigh << h);
    const auto inside = [&](std::uint64_t candidate) {
        return vbLow + open <= candidate << 2 && (candidate << 2) + open <= vbHigh;
    };

    // The multiples of 10 around the value: the interval is too narrow for both.
    const std::uint64_t s = vb >> 2;
    const std::uint64_t tens = s / 10;
    if (inside(tens * 10)) return withoutTrailingZeros(tens, k + 1);
    if (inside(tens * 10 + 10)) return withoutTrailingZeros(tens + 1, k + 1);

    // Otherwise s or s + 1, neither then a multiple of 10: the one inside, or of both the
    // nearer, a tie to the even one.
    const std::uint64_t middle = 4 * s + 2;
    const bool upNearer = vb > middle || (vb == middle && s % 2 == 1);
    const bool up = !inside(s) || (inside(s + 1) && upNearer);
    return {s + up, k};
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
