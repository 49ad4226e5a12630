#include "calibration_replay.h"

#include "core/fit.h"

namespace quorlin {

CalibrationResult RunCalibration(Workspace& ws, Captions& captions, const RegionalSettings& regional)
{
    const RegionalFormat format(regional);
    CalibrationResult result;

    result.model = computeInitialValues(ws, captions, format);
    if (!result.model.ok()) {
        result.outcome = CalibrationOutcome::ModelError;
        return result;
    }

    // A fit that does not converge leaves the last calibration in force rather than the
    // starting values, so a later adjustment uses parameters that did converge.
    const auto previous = ws.Params;

    // The fit starts from the captions as shown, rounded to two decimals, in single precision.
    for (int k = 1; k <= 3; ++k) {
        const NumberEntry entry = textToNumber(captions.Parameter[static_cast<std::size_t>(k)], regional);
        if (entry.outOfRange) ++result.outOfRangeStarts;
        ws.Params[static_cast<std::size_t>(k)] = static_cast<float>(entry.number.value());
    }

    switch (fitParameters(ws, captions, format)) {
    case FitOutcome::Converged: result.outcome = CalibrationOutcome::Converged; break;
    case FitOutcome::FactorizationFailed: result.outcome = CalibrationOutcome::FactorizationFailed; break;
    case FitOutcome::StepLimit: result.outcome = CalibrationOutcome::StepLimit; break;
    }
    if (result.outcome != CalibrationOutcome::Converged) ws.Params = previous;
    return result;
}

std::string calibrationMessage(const CalibrationResult& result)
{
    switch (result.outcome) {
    case CalibrationOutcome::Converged: return {};
    case CalibrationOutcome::FactorizationFailed: return "failed at FACT";
    case CalibrationOutcome::StepLimit: return "Calibration failed";
    case CalibrationOutcome::ModelError: return modelFailureText(result.model);
    }
    return {};
}

}  // namespace quorlin
