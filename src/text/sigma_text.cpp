#include "sigma_text.h"

#include <cmath>

namespace quorlin {

namespace {

std::string decimalsPattern(std::size_t decimals) { return "###0." + std::string(decimals, '0'); }

// Decimals needed to show z's one figure: 1 above 0.1, 2 in (0.01, 0.1], 3 in
// (0.001, 0.01], and so on. The ladder goes on below 0.0000001 (8 decimals in
// (1E-8, 1E-7], ...) so that the tiniest deviation still gets its figure. The bounds are
// 1/10^p with 10^p built by the same repeated multiplication as the multiplier of z, so
// an exact power of ten always falls into the finer range.
std::size_t decimalsFor(double z)
{
    if (z > 0.1) return 1;
    std::size_t decimals = 2;
    double power = 100.0;
    while (z <= 1.0 / power) {  // 1/power reaches 0 after ~325 rounds, so this ends
        power *= 10.0;
        ++decimals;
    }
    return decimals;
}

}  // namespace

std::string oneFigureText(double x, const RegionalSettings& regional)
{
    // A zero deviation (data that fit exactly) has no significant figure to round to.
    if (x == 0.0) return "0";

    // The multiplier is a double rather than a 32-bit integer: identical up to 10^9 and
    // it keeps going for deviations below 1E-9 instead of overflowing.
    double m = 1.0;
    double y = x;
    while (y < 1.0) {
        m = m * 10.0;
        y = m * x;
    }
    // Rounded in double, so a deviation of 2^31 or more does not overflow an integer;
    // below that this is the same whole number. The one figure then goes through single
    // precision before the double division.
    const double k = std::floor(y + 0.5);
    const double z = static_cast<double>(static_cast<float>(k)) / m;
    return std::string(trimSpaces(formatNumber(z, decimalsPattern(decimalsFor(z)), regional)));
}

std::string decimalsPatternFor(std::string_view s) { return decimalsPattern(s.size() > 2 ? s.size() - 2 : 0); }

std::string parameterCaption(double value, double sigma, std::string_view sigmaText, const RegionalSettings& regional)
{
    const std::string pattern = sigma == 0.0 ? "###0.00" : decimalsPatternFor(sigmaText);
    std::string_view shown = sigmaText;
    if (sigma >= 1.0) {
        // The digits before the decimal separator, whichever separator the region uses.
        std::size_t digits = 0;
        while (digits < shown.size() && shown[digits] >= '0' && shown[digits] <= '9') ++digits;
        shown = shown.substr(0, digits);
    }
    return formatNumber(value, pattern, regional) + "\u00B1" + std::string(shown);
}

}  // namespace quorlin
