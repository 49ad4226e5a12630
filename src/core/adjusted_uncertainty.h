#pragma once

#include "data_sets.h"
#include "fit_statistics.h"
#include "inversion.h"

namespace quorlin {

// The derivatives of one adjusted emf, emf − j corr·10^(−pH), with respect to Ezero,
// Slope and j corr (slots 1..3), where pH is the root of the calibrated electrode
// equation for the reading and moves with the parameters; `root` false stands for the
// reading adjusted as if its pH were 0, which does not move.
std::array<double, 4> adjustedEmfGradient(const ElectrodeParameters& p, double pH, bool root);

// The standard deviation the calibration's uncertainty gives one adjusted emf,
// √(J·C·Jᵀ), from what inverting its reading gave; NaN where that failed, as the
// adjustment does. The calibration's part only: the reading's own noise is not in it.
double adjustedEmfSigma(const ElectrodeParameters& p, const ParameterMatrix& covariance, const Inversion& inversion);

// d adjusted emf / d emf of the reading: Slope/(Slope + j corr·ln10·[H+]) where its pH
// moves with it, 1 where it is taken as 0; NaN where the inversion failed.
double adjustedEmfReadingSlope(const ElectrodeParameters& p, const Inversion& inversion);

// Both parts of an adjusted emf's standard deviation: the calibration's, and with it the
// reading's own noise `readingSigma` carried through adjustedEmfReadingSlope.
struct AdjustedSigma {
    double calibration = 0.0;
    double total = 0.0;
};
AdjustedSigma adjustedEmfSigmas(const ElectrodeParameters& p, const ParameterMatrix& covariance,
                                const Inversion& inversion, double readingSigma);

}  // namespace quorlin
