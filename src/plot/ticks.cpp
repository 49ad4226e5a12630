#include "ticks.h"

#include <cmath>
#include <string_view>

namespace quorlin {

double tickStep(double a, double b, std::int32_t n)
{
    const double range = std::abs(b - a);
    double d = range / n;
    if (d == 0) d = 1;

    // Stepping down from 1E20 (rather than taking a power of ten) decides which power
    // a boundary value such as 0.001 falls under.
    double p = 1E20;
    while (p > d) p = p / 10;

    double s = p;
    for (const double multiplier : {2.0, 5.0, 10.0, 20.0}) {
        if (!(range / s > n)) break;
        s = multiplier * p;
    }
    return a > b ? -s : s;
}

std::string tickLabelText(double value, double step, const RegionalSettings& regional)
{
    const double e = std::floor(std::log10(std::abs(step)));
    std::string_view pattern;
    if (e < -9)
        pattern = "0.0E-00";
    else if (e <= -4)
        pattern = "0.00E-0";
    else if (e == -3)
        pattern = "0.000";
    else if (e == -2)
        pattern = "0.00";
    else if (e == -1)
        pattern = "0.0";
    else if (e >= 0 && e <= 3)
        pattern = "###0";
    else
        pattern = "0.0E-0";

    std::string text = formatNumber(value, pattern, regional);
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

}  // namespace quorlin
