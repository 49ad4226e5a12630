#pragma once

#include "captions.h"
#include "display_format.h"
#include "workspace.h"

namespace quorlin {

// How a least-squares calibration ended; the window shows "failed at FACT" for a failed
// factorization and "Calibration failed" for the step limit. Non-finite values end the
// fit as a failure too: in the normal equations or the solve, and a deviation that
// comes out non-finite, as FactorizationFailed; parameters that overflow, or a step that
// has been halved to nothing without an acceptable sum (which would otherwise halve
// forever), as StepLimit.
enum class FitOutcome { Converged, FactorizationFailed, StepLimit };

// How far a fit went: Gauss-Newton steps begun, step halvings taken, and the step in
// which the first halving came (0 when none did).
struct FitProgress {
    int steps = 0;
    int halvings = 0;
    int firstHalvingStep = 0;
};

// Sum of the squared residuals at the current Params, in double precision; fills
// CalResidual[1..CalCount] with observed minus calculated emf.
double sumOfSquaredResiduals(Workspace& ws);

// Gauss-Newton fit of Params[1..3] to the calibration points, starting from the values
// in Params; CalH and CalPH must be current and CalCount at least 6. On convergence it
// writes RmsError, SigmaText and the Parameter and rmserror captions. On failure Params
// return to the starting values (and CalResidual to their residuals); RmsError,
// SigmaText and the captions are left alone.
FitOutcome fitParameters(Workspace& ws, Captions& captions, const DisplayFormat& format,
                         FitProgress* progress = nullptr);

}  // namespace quorlin
