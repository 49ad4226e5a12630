#include "adjusted_uncertainty.h"

#include "electrode_model.h"

#include <cmath>
#include <limits>

namespace quorlin {

std::array<double, 4> adjustedEmfGradient(const ElectrodeParameters& p, double pH, bool root)
{
    const double h = hydrogenAt(pH);
    std::array<double, 4> gradient = adjustedEmfGradientAtPh(h);
    if (!root) return gradient;
    // The root moves with the parameters: implicit differentiation of the mismatch,
    // whose derivatives with respect to the parameters are the design row's.
    const double dMismatchDpH = mismatchPhSlope(p, h);
    const std::array<double, 4> x = designRow(pH, h);
    const double dAdjustedDpH = adjustedEmfPhSlope(p, h);
    for (std::size_t k = kEzero; k <= kJcorr; ++k) gradient[k] = dAdjustedDpH * (x[k] / dMismatchDpH) + gradient[k];
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

double adjustedEmfReadingSlope(const ElectrodeParameters& p, const Inversion& inversion)
{
    if (inversion.kind == Inversion::Kind::Failed) return std::numeric_limits<double>::quiet_NaN();
    if (inversion.kind != Inversion::Kind::Root) return 1.0;
    return static_cast<double>(p[kSlope]) / mismatchPhSlope(p, hydrogenAt(inversion.pH));
}

AdjustedSigma adjustedEmfSigmas(const ElectrodeParameters& p, const ParameterMatrix& covariance,
                                const Inversion& inversion, double readingSigma)
{
    const double calibration = adjustedEmfSigma(p, covariance, inversion);
    return {calibration, std::hypot(calibration, readingSigma * adjustedEmfReadingSlope(p, inversion))};
}

}  // namespace quorlin
