#include "replay.h"

#include "core/initial_values.h"
#include "io/calibration_replay.h"

#include <cmath>

namespace quorlin::cli {

namespace {

constexpr std::int32_t kMinimumPoints = 6;

Outcome outcomeOf(CalibrationOutcome outcome)
{
    switch (outcome) {
    case CalibrationOutcome::Converged: return Outcome::Converged;
    case CalibrationOutcome::FactorizationFailed: return Outcome::FactorizationFailed;
    case CalibrationOutcome::StepLimit: return Outcome::StepLimit;
    case CalibrationOutcome::ModelError: return Outcome::ModelError;
    }
    return Outcome::ModelError;
}

}  // namespace

std::string_view outcomeName(Outcome outcome)
{
    switch (outcome) {
    case Outcome::Converged: return "converged";
    case Outcome::TooFewPoints: return "too few points";
    case Outcome::FactorizationFailed: return "factorization failed";
    case Outcome::StepLimit: return "step limit";
    case Outcome::ModelError: return "model error";
    }
    return "";
}

Calibration CalibrateLoadedData(Workspace& ws, Captions& captions, const RegionalSettings& regional)
{
    computeInitialValues(ws, captions, RegionalFormat(regional));
    if (ws.CalCount < kMinimumPoints) return {Outcome::TooFewPoints, {}};

    const CalibrationResult result = RunCalibration(ws, captions, regional);
    std::string message = calibrationMessage(result);
    // The window shows "invalid entry for number" before the outcome's own message.
    if (result.outOfRangeStarts > 0)
        message = std::string(kInvalidEntryMessage) + (message.empty() ? "" : "; " + message);
    return {outcomeOf(result.outcome), message};
}

std::array<double, 3> ParameterSigmas(const Workspace& ws)
{
    double sum = 0.0;
    for (std::int32_t i = 1; i <= ws.CalCount; ++i) {
        const Number r = pointOr0(ws.CalResidual, i);
        sum += (r * r).value();
    }
    const double freedom = ws.CalCount - 3;
    std::array<double, 3> sigmas{};
    for (std::size_t j = 1; j <= 3; ++j) sigmas[j - 1] = std::sqrt(ws.NormalMatrix[j][j] * sum / freedom);
    return sigmas;
}

}  // namespace quorlin::cli
