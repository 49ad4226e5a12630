#include "csv_output.h"

#include "wording/fit_details.h"
#include "wording/messages.h"

namespace quorlin::cli {

namespace {

// A spreadsheet runs a field that begins with = + - or @ as a formula; a leading ' keeps
// it text.
std::string field(std::string_view text)
{
    const std::string shown = (!text.empty() && std::string_view("=+-@").find(text.front()) != std::string_view::npos)
                                  ? "'" + std::string(text)
                                  : std::string(text);
    if (shown.find_first_of(",\"\r\n") == std::string::npos) return shown;
    std::string quoted = "\"";
    for (const char c : shown) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + '"';
}

// The warnings on a converged fit, one sentence after another.
std::string warningText(const Session& session, const CalibrationReport& report)
{
    const CalibrationRecord* record = report.converged() ? session.calibration().record().get() : nullptr;
    std::string text;
    if (record && record->statistics)
        for (const std::string& warning : fitWarnings(record->fit, *record->statistics))
            text += (text.empty() ? "" : " ") + warning;
    return text;
}

}  // namespace

std::string calibrationCsvHeader()
{
    return "file,points,ezero,sigma_ezero,slope,sigma_slope,jcorr,sigma_jcorr,rms,outcome,warning,note\n";
}

std::string calibrationCsvLine(std::string_view file, const Session& session, const CalibrationReport& report)
{
    std::string line = field(file) + ',' + std::to_string(session.calibration().count());
    const FitResult* fit = report.converged() ? &session.calibration().record()->fit : nullptr;
    for (std::size_t k = kEzero; k <= kJcorr; ++k) {
        line += ',' + (fit ? roundTripText(fit->parameters[k]) : "");
        line += ',' + (fit ? roundTripText(fit->sigma[k]) : "");
    }
    line += ',' + (fit ? roundTripText(fit->rms) : "");
    return line + ',' + field(outcomeName(report.outcome)) + ',' + field(warningText(session, report)) + ','
           + field(calibrationDataEndNote(session)) + '\n';
}

}  // namespace quorlin::cli
