#include "captions.h"

#include "text/sigma_text.h"
#include "wording/messages.h"

namespace quorlin {

namespace {
const std::string kNone = "?";
}  // namespace

Captions parameterCaptions(const Session& session)
{
    const RegionalSettings& regional = session.regional();
    Captions captions;
    if (const CalibrationRecord* record = session.calibration().record().get()) {
        const FitResult& fit = record->fit;
        for (std::size_t k = kEzero; k <= kJcorr; ++k)
            captions.parameter[k] =
                parameterCaption(fit.parameters[k], fit.sigma[k], oneFigureText(fit.sigma[k], regional), regional);
        captions.rmsError = "Rms error = " + formatNumber(fit.rms, "#0.0000", regional);
    } else if (const std::optional<ModelOutcome> line = session.calibration().startingLine()) {
        captions.parameter[kEzero] = formatNumber(line->intercept, "###0.00", regional);
        captions.parameter[kSlope] = formatNumber(line->slope, "###0.00", regional);
        captions.parameter[kJcorr] = "0.0";
    } else {
        captions.parameter = {"", kNone, kNone, kNone};
    }
    return captions;
}

std::string fileCaption(const std::optional<std::string>& file) { return file ? *file : kNone; }

std::string plotTitle(const Session& session)
{
    const Calibration& calibration = session.calibration();
    const CalibrationRecord* record = calibration.record().get();
    if (!record) return fileCaption(calibration.file());
    return fileCaption(record->file) + (calibration.outOfDate() ? " (" + changedSinceText(*record) + ")" : "");
}

}  // namespace quorlin
