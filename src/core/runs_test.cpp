#include "runs_test.h"

#include <boost/math/special_functions/gamma.hpp>

#include <algorithm>
#include <cmath>

namespace quorlin {

namespace {

// Double precision throughout: long double would make each term several times slower.
using Fast = boost::math::policies::policy<boost::math::policies::promote_double<false>>;

// log C(n, k); C(n, k) = 0 outside 0 ≤ k ≤ n.
double logChoose(double n, double k)
{
    if (k < 0 || k > n) return -INFINITY;
    return boost::math::lgamma(n + 1, Fast()) - boost::math::lgamma(k + 1, Fast())
           - boost::math::lgamma(n - k + 1, Fast());
}

// P(R = r) for a and b signs of each kind:
// P(2k) = 2·C(a−1, k−1)·C(b−1, k−1) / C(a+b, a),
// P(2k+1) = (C(a−1, k)·C(b−1, k−1) + C(a−1, k−1)·C(b−1, k)) / C(a+b, a).
double runsProbability(std::int64_t r, double a, double b)
{
    const double total = logChoose(a + b, a);
    const auto k = static_cast<double>(r / 2);
    if (r % 2 == 0) return 2.0 * std::exp(logChoose(a - 1, k - 1) + logChoose(b - 1, k - 1) - total);
    return std::exp(logChoose(a - 1, k) + logChoose(b - 1, k - 1) - total)
           + std::exp(logChoose(a - 1, k - 1) + logChoose(b - 1, k) - total);
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

    // The tail on the observed side of the mean, summed outwards from the observation
    // until its terms no longer count: a few thousand terms even for a million signs.
    const double a = static_cast<double>(plus), b = static_cast<double>(minus);
    const std::int64_t r = test.runs, step = r <= 1 + 2 * a * b / (a + b) ? -1 : 1;
    const std::int64_t end = step < 0 ? 1 : 2 * std::min(plus, minus) + 2;
    const double observed = runsProbability(r, a, b);
    double tail = 0.0, previous = 0.0;
    for (std::int64_t k = r; k != end; k += step) {
        const double p = k == r ? observed : runsProbability(k, a, b);
        tail += p;
        if (p + previous < 1e-17 * tail) break;
        previous = p;
    }
    // The other tail holds the observation too.
    test.p = std::min(1.0, 2.0 * std::min(tail, 1.0 - tail + observed));
    return test;
}

}  // namespace quorlin
