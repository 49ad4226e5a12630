#include "inversion.h"

#include <cmath>
#include <utility>

namespace quorlin {

namespace {

constexpr double kLowEnd = 0.0;
constexpr double kHighEnd = 14.0;
constexpr double kTolerance = 1E-5;
constexpr int kMaxSteps = 30;

Inversion failed() { return {Inversion::Kind::Failed, 0.0}; }

}  // namespace

Inversion findPhByFalsePosition(const ElectrodeParameters& p, double emf)
{
    return findPhByFalsePosition(p, emf, kLowEnd, kHighEnd);
}

Inversion findPhByFalsePosition(const ElectrodeParameters& p, double emf, double low, double high)
{
    double fl = emfMismatch(p, emf, low);
    double fh = emfMismatch(p, emf, high);
    // An overflowing product counts as the arithmetic error it would be, not as a sign.
    const double ends = fl * fh;
    if (!std::isfinite(ends)) return failed();
    if (ends > 0.0) return {};
    // Both ends exactly on the line leave the first chord 0/0: no single root to report.
    if (fl == 0.0 && fh == 0.0) return {};

    double xl = low;
    double xh = high;
    if (!(fl < 0.0)) {
        std::swap(xl, xh);
        std::swap(fl, fh);
    }
    double dx = xh - xl;
    double rtf = 0.0;
    for (int step = 1; step <= kMaxSteps; ++step) {
        rtf = xl + dx * fl / (fl - fh);
        if (!std::isfinite(rtf)) return failed();
        const double f = emfMismatch(p, emf, rtf);
        if (!std::isfinite(f)) return failed();
        double del;
        if (f < 0.0) {
            del = xl - rtf;
            xl = rtf;
            fl = f;
        } else {
            del = xh - rtf;
            xh = rtf;
            fh = f;
        }
        dx = xh - xl;
        if (std::fabs(del) < kTolerance || f == 0.0) break;
    }
    return {Inversion::Kind::Root, rtf};
}

}  // namespace quorlin
