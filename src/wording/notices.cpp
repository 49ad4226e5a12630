#include "notices.h"

#include "translatable.h"

namespace quorlin {

std::string_view startHintText()
{
    return QUORLIN_TRANSLATE_NOOP(
        "Notices", "Load calibration data (File › Load Data for Calibration, Ctrl+O) or drop a file here.");
}

std::string savedText(SavedOutput output, std::string_view path)
{
    std::string what;
    switch (output) {
    case SavedOutput::CalibrationData: what = QUORLIN_TRANSLATE_NOOP("Notices", "Calibration data saved to "); break;
    case SavedOutput::AdjustedData: what = QUORLIN_TRANSLATE_NOOP("Notices", "Adjusted data saved to "); break;
    case SavedOutput::Readings: what = QUORLIN_TRANSLATE_NOOP("Notices", "Readings for adjustment saved to "); break;
    case SavedOutput::Plot: what = QUORLIN_TRANSLATE_NOOP("Notices", "Plot exported to "); break;
    case SavedOutput::Report: what = QUORLIN_TRANSLATE_NOOP("Notices", "Report saved to "); break;
    }
    return what + std::string(path);
}

std::string leaveOutAdvice(const CalibrationData& data, const CalibrationReport& report, Reader reader)
{
    const ModelOutcome& model = report.model;
    if (report.outcome != CalibrationOutcome::ModelError || model.failure != ModelOutcome::Failure::NoPositiveH
        || pointOr0(data.volume, model.point).value() != 0.0 || !(data.acidConcentration.value() > 0.0))
        return {};
    const std::string point = std::to_string(model.point);
    if (reader == Reader::Window)
        return "Leave point " + point + QUORLIN_TRANSLATE_NOOP("Notices", " out (Ctrl+E), then calibrate (Ctrl+C).");
    return "leave point " + point + QUORLIN_TRANSLATE_NOOP("Notices", " out of the fit: add --exclude ") + point;
}

}  // namespace quorlin
