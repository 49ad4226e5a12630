#include "runs_test.h"

#include <boost/math/special_functions/gamma.hpp>

#include <algorithm>
#include <cmath>
#include <limits>

namespace quorlin {

namespace {

double logChoose(double n, double k)
{
    return boost::math::lgamma(n + 1) - boost::math::lgamma(k + 1) - boost::math::lgamma(n - k + 1);
}

}  // namespace

RunsTest runsTest(const std::vector<double>& values)
{
    std::int64_t plus = 0, minus = 0;
    RunsTest test;
    int last = 0;
    for (const double v : values) {
        const int sign = v > 0 ? 1 : v < 0 ? -1 : 0;
        if (sign == 0) continue;
        (sign > 0 ? plus : minus) += 1;
        if (sign != last) ++test.runs;
        last = sign;
    }
    // With one sign only there is one arrangement: nothing to test.
    if (plus == 0 || minus == 0) return test;

    // P(R = 2k) = 2·C(a−1, k−1)·C(b−1, k−1) / C(a+b, a) and
    // P(R = 2k+1) = (C(a−1, k)·C(b−1, k−1) + C(a−1, k−1)·C(b−1, k)) / C(a+b, a), the
    // binomials carried from k to k + 1 in logarithms, so that a million signs cost a
    // million steps.
    const double a = static_cast<double>(plus), b = static_cast<double>(minus);
    const double total = logChoose(a + b, a);
    const double none = -std::numeric_limits<double>::infinity();
    double logA = 0.0, logB = 0.0;  // log C(a−1, k−1), log C(b−1, k−1)
    double below = 0.0, above = 0.0;
    const auto add = [&](std::int64_t r, double p) {
        if (r <= test.runs) below += p;
        if (r >= test.runs) above += p;
    };
    for (std::int64_t k = 1; k <= std::min(plus, minus); ++k) {
        const double nextA =
            k <= plus - 1 ? logA + std::log((a - static_cast<double>(k)) / static_cast<double>(k)) : none;
        const double nextB =
            k <= minus - 1 ? logB + std::log((b - static_cast<double>(k)) / static_cast<double>(k)) : none;
        add(2 * k, 2.0 * std::exp(logA + logB - total));
        add(2 * k + 1, std::exp(nextA + logB - total) + std::exp(logA + nextB - total));
        logA = nextA;
        logB = nextB;
    }
    test.p = std::min(1.0, 2.0 * std::min(below, above));
    return test;
}

}  // namespace quorlin
