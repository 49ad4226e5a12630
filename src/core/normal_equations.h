#pragma once

#include "data_sets.h"
#include "ldl_solve.h"

namespace quorlin {

// The sums of the fit's normal equations over the calibration points, in single
// precision as the fit keeps them. The derivatives and each product keep their source's
// precision (-pH is double, [H+] is single only when every input to it was typed), so a
// new sum is formed in double whenever a double enters and is then stored rounded to
// single. Points past the end of an array count as 0.

// The matrix depends on the model values alone, so every step of a fit has the same one.
SmallMatrix normalMatrix(const CalibrationData& data);

// What a fit needs at trial parameters: the sum of squared residuals, in double, and the
// right-hand side of a step from there, formed in one pass over the points.
struct Evaluation {
    double sum = 0.0;
    SmallVector rightHandSide{};
};
Evaluation evaluate(const CalibrationData& data, const ElectrodeParameters& p);

// Observed minus calculated emf of point i at `p`, in the precision its values carry.
Number residualAt(const CalibrationData& data, std::int32_t i, const ElectrodeParameters& p);

}  // namespace quorlin
