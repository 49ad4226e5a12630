#pragma once

#include "core/captions.h"
#include "core/initial_values.h"
#include "core/workspace.h"
#include "text/number_text.h"

#include <string>

namespace quorlin {

// How a calibration ended once the calibration command's own checks had passed.
enum class CalibrationOutcome { Converged, FactorizationFailed, StepLimit, ModelError };

struct CalibrationResult {
    CalibrationOutcome outcome = CalibrationOutcome::Converged;
    // Why computeInitialValues stopped, and at which point, when the outcome is ModelError.
    ModelOutcome model;
    // Parameter captions that textToNumber found beyond single-precision range; each
    // started the fit from 0. The window shows kInvalidEntryMessage once for each,
    // before the outcome's message.
    int outOfRangeStarts = 0;
};

// What the calibration command does after its checks (at least 6 points, a file, both
// Box texts non-empty), shared by the window and the companion so that both calibrate
// alike: computeInitialValues, then Params[k] = textToNumber(Parameter(k) caption) for k = 1..3,
// then fitParameters. A ModelError stops before the fit: Params and the captions stay as
// they were, and the model values of the points before the failing one stay written.
// After a fit that did not converge the captions show the starting values and Params
// are those of the last converged calibration (0 before the first).
CalibrationResult RunCalibration(Workspace& ws, Captions& captions, const RegionalSettings& regional);

// The message box text for the outcome: "failed at FACT", "Calibration failed", the
// model failure naming the point, or "" for a converged fit.
std::string calibrationMessage(const CalibrationResult& result);

}  // namespace quorlin
