#include "text/decimal_digits.h"
#include "text/number_text.h"

#include <cmath>
#include <cstdlib>

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

}  // namespace quorlin
