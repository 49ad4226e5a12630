#pragma once

#include "core/captions.h"
#include "core/workspace.h"
#include "text/number_text.h"

#include <array>
#include <string>
#include <string_view>

namespace quorlin::cli {

enum class Outcome { Converged, TooFewPoints, FactorizationFailed, StepLimit, ModelError };

// The outcome as the JSON output names it: "converged", "too few points", ...
std::string_view outcomeName(Outcome outcome);

struct Calibration {
    Outcome outcome = Outcome::Converged;
    std::string message;  // what the window would show; "" where it shows nothing
};

// The window's path once a calibration file has been read into `ws`: computeInitialValues (its
// failure ignored, as the load ignores it), then the calibration command. The Box texts
// are point number texts there and never empty, and the file is known, so of the
// command's checks only the point count can stop it.
Calibration CalibrateLoadedData(Workspace& ws, Captions& captions, const RegionalSettings& regional);

// Standard deviations of Ezero, Slope and j corr after a converged fit, from what the
// fit leaves behind: the inverse normal matrix on the diagonal of NormalMatrix and the
// residuals at the fitted parameters.
std::array<double, 3> ParameterSigmas(const Workspace& ws);

}  // namespace quorlin::cli
