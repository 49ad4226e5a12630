#pragma once

#include "data_sets.h"

#include <array>

namespace quorlin {

// How a least-squares calibration ended. Non-finite values end the fit as a failure
// too: in the normal equations or the solve, and a deviation that comes out
// non-finite, as FactorizationFailed; parameters that overflow as StepLimit. A step
// halved to nothing without a lower sum converges at the point it started from.
enum class FitOutcome { Converged, FactorizationFailed, StepLimit };

// How far a fit went: Gauss-Newton steps begun, step halvings taken, and the step in
// which the first halving came (0 when none did).
struct FitProgress {
    int steps = 0;
    int halvings = 0;
    int firstHalvingStep = 0;
};

struct FitResult {
    FitOutcome outcome = FitOutcome::StepLimit;
    // The fitted parameters; on failure the starting values.
    ElectrodeParameters parameters{};
    // Rms error and the standard deviations of parameters 1..3; set only on convergence.
    double rms = 0.0;
    std::array<double, 4> sigma{};
    FitProgress progress;

    bool converged() const { return outcome == FitOutcome::Converged; }
};

// Sum of the squared residuals at `parameters`, in double precision; fills
// residual[1..count] with observed minus calculated emf.
double sumOfSquaredResiduals(CalibrationData& data, const ElectrodeParameters& parameters);

// Gauss-Newton fit of Ezero, Slope and j corr to the calibration points from `start`;
// the model values must be current and count at least 6. The data are left as they
// were: sumOfSquaredResiduals at the returned parameters fills in the residuals.
FitResult fitParameters(const CalibrationData& data, const ElectrodeParameters& start);

}  // namespace quorlin
