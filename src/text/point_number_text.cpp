#include "text/decimal_digits.h"
#include "text/number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>

namespace quorlin {

namespace {

// Significant digits shown, which is also the power of ten from which the exponent form
// takes over.
constexpr int kSingleDigits = 7;
constexpr int kDoubleDigits = 15;
// Magnitudes below 10^-4 are shown in exponent form too.
constexpr int kSmallestPlainExponent = -4;

std::string exponentForm(const DecimalDigits& d)
{
    std::string text(1, d.digits[0]);
    if (d.digits.size() > 1) text += "." + d.digits.substr(1);
    std::string power = std::to_string(std::abs(d.exponent));
    if (power.size() < 2) power.insert(0, 1, '0');
    return text + 'E' + (d.exponent < 0 ? '-' : '+') + power;
}

std::string plainForm(const DecimalDigits& d)
{
    if (d.exponent < 0) return "." + std::string(static_cast<std::size_t>(-d.exponent - 1), '0') + d.digits;
    const auto integerDigits = static_cast<std::size_t>(d.exponent) + 1;
    if (d.digits.size() <= integerDigits) return d.digits + std::string(integerDigits - d.digits.size(), '0');
    return d.digits.substr(0, integerDigits) + "." + d.digits.substr(integerDigits);
}

}  // namespace

std::string pointNumberText(Number value)
{
    const double v = value.value();
    const char sign = v < 0 ? '-' : ' ';
    if (std::isnan(v)) return " NaN";
    if (std::isinf(v)) return sign + std::string("Infinity");

    const int digits = value.isSingle() ? kSingleDigits : kDoubleDigits;
    const DecimalDigits d = roundedDigits(v, digits);
    if (d.isZero()) return " 0";
    const bool exponent = d.exponent >= digits || d.exponent < kSmallestPlainExponent;
    return sign + (exponent ? exponentForm(d) : plainForm(d));
}

void appendPointNumberText(std::string& out, Number value)
{
    const double v = value.value();
    const int digits = value.isSingle() ? kSingleDigits : kDoubleDigits;
    const std::optional<RoundedInteger> d =
        std::isfinite(v) && v != 0.0 ? roundedInteger(std::fabs(v), digits) : std::nullopt;
    // The exponent form, zero and what is not finite take the general way.
    if (!d || d->exponent >= digits || d->exponent < kSmallestPlainExponent) {
        out += pointNumberText(value);
        return;
    }
    // Trailing zeros go before the digits are written: most values have few digits.
    std::uint64_t kept = d->digits;
    for (const std::uint64_t power : {100000000u, 10000u, 100u, 10u})
        if (kept % power == 0) kept /= power;
    std::array<char, 20> significant{};
    const auto count = static_cast<std::size_t>(
        std::to_chars(significant.data(), significant.data() + significant.size(), kept).ptr - significant.data());

    // At most a sign, a point, three zeros and the digits.
    std::array<char, 40> text{};
    char* end = text.data();
    *end++ = v < 0 ? '-' : ' ';
    if (d->exponent < 0) {
        *end++ = '.';
        end = std::fill_n(end, -d->exponent - 1, '0');
        end = std::copy_n(significant.data(), count, end);
    } else {
        const auto integerDigits = static_cast<std::size_t>(d->exponent) + 1;
        end = std::copy_n(significant.data(), std::min(count, integerDigits), end);
        if (count <= integerDigits) {
            end = std::fill_n(end, integerDigits - count, '0');
        } else {
            *end++ = '.';
            end = std::copy(significant.data() + integerDigits, significant.data() + count, end);
        }
    }
    out.append(text.data(), end);
}

}  // namespace quorlin
