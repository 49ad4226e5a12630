#include "student_t.h"

#include <cmath>
#include <initializer_list>
#include <limits>

namespace quorlin {

namespace {

// The continued fraction of the regularised incomplete beta function, evaluated by the
// modified Lentz method; it converges quickly for x < (a + 1) / (a + b + 2).
double betaContinuedFraction(double a, double b, double x)
{
    constexpr double kTiny = 1e-300;
    constexpr double kEpsilon = 1e-15;
    constexpr int kMaxTerms = 100000;
    double c = 1.0;
    double d = 1.0 - (a + b) * x / (a + 1.0);
    if (std::fabs(d) < kTiny) d = kTiny;
    d = 1.0 / d;
    double f = d;
    for (int m = 1; m <= kMaxTerms; ++m) {
        const double m2 = 2.0 * m;
        // The even term, then the odd one.
        for (const double term : {m * (b - m) * x / ((a + m2 - 1.0) * (a + m2)),
                                  -(a + m) * (a + b + m) * x / ((a + m2) * (a + m2 + 1.0))}) {
            d = 1.0 + term * d;
            if (std::fabs(d) < kTiny) d = kTiny;
            c = 1.0 + term / c;
            if (std::fabs(c) < kTiny) c = kTiny;
            d = 1.0 / d;
            f *= c * d;
        }
        if (std::fabs(c * d - 1.0) < kEpsilon) break;
    }
    return f;
}

// I_x(a, b), the regularised incomplete beta function.
double incompleteBeta(double a, double b, double x)
{
    if (x <= 0.0) return 0.0;
    if (x >= 1.0) return 1.0;
    const double front =
        std::exp(std::lgamma(a + b) - std::lgamma(a) - std::lgamma(b) + a * std::log(x) + b * std::log1p(-x));
    if (x < (a + 1.0) / (a + b + 2.0)) return front * betaContinuedFraction(a, b, x) / a;
    return 1.0 - front * betaContinuedFraction(b, a, 1.0 - x) / b;
}

}  // namespace

double studentTDistribution(double t, double dof)
{
    const double tail = 0.5 * incompleteBeta(dof / 2.0, 0.5, dof / (dof + t * t));
    return t < 0.0 ? tail : 1.0 - tail;
}

double studentTQuantile(double p, double dof)
{
    if (!(p > 0.0 && p < 1.0) || !(dof > 0.0)) return std::numeric_limits<double>::quiet_NaN();
    if (p < 0.5) return -studentTQuantile(1.0 - p, dof);
    // The distribution rises monotonically: bisect, widening the bracket until it holds p.
    double low = 0.0;
    double high = 1.0;
    while (studentTDistribution(high, dof) < p && high < 1e300) high *= 2.0;
    for (int i = 0; i < 200 && high - low > 1e-14 * high; ++i) {
        const double mid = 0.5 * (low + high);
        (studentTDistribution(mid, dof) < p ? low : high) = mid;
    }
    return 0.5 * (low + high);
}

}  // namespace quorlin
