#pragma once

#include "captions.h"
#include "display_format.h"
#include "workspace.h"

namespace quorlin {

// How a least-squares calibration ended; the window shows "failed at FACT" for a failed
// factorization and "Calibration failed" for the step limit.
enum class FitOutcome { Converged, FactorizationFailed, StepLimit };

// Gauss-Newton fit of Params[1..3] to the calibration points, starting from the values
// in Params; CalH and CalPH must be current and CalCount at least 6. On convergence it
// writes RmsError, SigmaText and the Parameter and rmserror captions.
FitOutcome FitParameters(Workspace& ws, Captions& captions, const DisplayFormat& format);

}  // namespace quorlin
