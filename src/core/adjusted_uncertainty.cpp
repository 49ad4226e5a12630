#include "adjusted_uncertainty.h"

#include <cmath>
#include <limits>

namespace quorlin {

std::array<double, 4> adjustedEmfGradient(const ElectrodeParameters& p, double pH, bool root)
{
    const double ln10 = std::log(10.0);
    const double h = std::exp(-pH * ln10);
    const double jcorr = p[kJcorr];
    if (!root) return {0.0, 0.0, 0.0, -h};
    // Implicit differentiation of emf − (Ezero − Slope·pH + j corr·h) = 0 for pH.
    const double dMismatchDpH = static_cast<double>(p[kSlope]) + jcorr * h * ln10;
    const std::array<double, 4> dpH{0.0, 1.0 / dMismatchDpH, -pH / dMismatchDpH, h / dMismatchDpH};
    // d(−j corr·h) = −h·dj corr + j corr·ln10·h·dpH.
    std::array<double, 4> gradient{};
    for (std::size_t k = kEzero; k <= kJcorr; ++k) gradient[k] = jcorr * ln10 * h * dpH[k];
    gradient[kJcorr] -= h;
    return gradient;
}

double adjustedEmfSigma(const ElectrodeParameters& p, const ParameterMatrix& covariance, const Inversion& inversion)
{
    if (inversion.kind == Inversion::Kind::Failed) return std::numeric_limits<double>::quiet_NaN();
    const bool root = inversion.kind == Inversion::Kind::Root;
    const std::array<double, 4> j = adjustedEmfGradient(p, root ? inversion.pH : 0.0, root);
    double variance = 0.0;
    for (std::size_t a = kEzero; a <= kJcorr; ++a)
        for (std::size_t b = kEzero; b <= kJcorr; ++b) variance += j[a] * covariance[a][b] * j[b];
    return std::sqrt(variance);
}

}  // namespace quorlin
