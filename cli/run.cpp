#include "run.h"

#include "arguments.h"
#include "json_output.h"

#include "session/session.h"

#include <optional>
#include <vector>

namespace quorlin::cli {

namespace {

int complain(std::ostream& err, const std::string& text, int status)
{
    err << "quorlin-cli: " << text << '\n';
    return status;
}

void printCaptions(std::ostream& out, const Captions& captions)
{
    out << "Ezero " << captions.parameter[kEzero] << '\n'
        << "Slope " << captions.parameter[kSlope] << '\n'
        << "j corr " << captions.parameter[kJcorr] << '\n'
        << captions.rmsError << '\n';
}

// The lines the window's "save adjusted data" writes: volume cell and adjusted cell.
std::vector<TextRecord> adjustedRecords(const AdjustmentData& data, const AdjustmentReport& adjustment)
{
    std::vector<TextRecord> records;
    records.reserve(adjustment.texts.size());
    for (std::size_t i = 0; i < adjustment.texts.size(); ++i)
        records.push_back(
            {pointNumberText(pointOr0(data.volume, static_cast<std::int32_t>(i) + 1)), adjustment.texts[i]});
    return records;
}

void noteDataEnd(std::ostream& err, const std::string& note)
{
    if (!note.empty()) err << note << '\n';
}

int finish(std::ostream& out, std::ostream& err, int status)
{
    out.flush();
    if (!out) return complain(err, "cannot write standard output", kExitUsageOrFile);
    return status;
}

}  // namespace

int Run(std::span<const std::string> args, const RegionalSettings& regional, std::ostream& out, std::ostream& err)
{
    const ParsedArguments parsed = parseArguments(args);
    if (!parsed.error.empty()) return complain(err, parsed.error + " (see quorlin-cli --help)", kExitUsageOrFile);
    const Arguments& a = parsed.arguments;
    if (a.command == Arguments::Command::Help) {
        out << usageText();
        return finish(out, err, kExitConverged);
    }
    if (a.command == Arguments::Command::Version) {
        out << versionText();
        return finish(out, err, kExitConverged);
    }

    Session session(regional);
    const bool adjusting = a.command == Arguments::Command::Adjust;
    const FileOutcome calibrationRead = session.loadCalibrationFile(a.calibrationFile);
    if (!calibrationRead.ok)
        return complain(err, "cannot read " + a.calibrationFile + ": " + calibrationRead.reason, kExitUsageOrFile);
    noteDataEnd(err, dataEndNote(a.calibrationFile, calibrationRead, session.calibration().count));
    FileOutcome adjustmentRead;
    if (adjusting) {
        adjustmentRead = session.loadAdjustmentFile(a.dataFile);
        if (!adjustmentRead.ok)
            return complain(err, "cannot read " + a.dataFile + ": " + adjustmentRead.reason, kExitUsageOrFile);
        noteDataEnd(err, dataEndNote(a.dataFile, adjustmentRead, session.adjustment().count));
    }

    const CalibrationReport calibration = session.calibrate();
    const bool converged = calibration.converged();

    std::optional<AdjustmentReport> adjustment;
    if (adjusting && converged) adjustment = session.adjust();
    // An adjusted file is written only when it would read back as every point.
    std::vector<TextRecord> records;
    std::string unwritten;
    if (adjustment) {
        records = adjustedRecords(session.adjustment(), *adjustment);
        if (adjustment->failedPoint != 0)
            unwritten = "the adjustment stopped at point " + std::to_string(adjustment->failedPoint);
        else if (records.empty())
            unwritten = a.dataFile + ": no points to adjust";
        else if (const std::string problem = pointEndingData(records); !problem.empty())
            unwritten = problem + "; nothing written";
    }
    const bool adjusted = adjustment && unwritten.empty();

    if (adjusted) {
        if (!a.outputFile.empty()) {
            if (const FileOutcome written = session.saveAdjustedFile(a.outputFile, records); !written.ok)
                return complain(err, "could not save " + a.outputFile + ": " + written.reason, kExitUsageOrFile);
        } else if (!a.json) {
            out << dataFileText(records);
        }
    }

    if (a.json) {
        out << calibrationJson(session, calibration, adjustment ? &*adjustment : nullptr,
                               {calibrationRead, adjustmentRead});
    } else if (!converged) {
        const std::string message = reportMessage(calibration);
        complain(err, std::string(outcomeName(calibration.outcome)) + (message.empty() ? "" : ": " + message),
                 kExitNotConverged);
    } else if (adjustment && !adjusted) {
        complain(err, unwritten, kExitNotConverged);
    } else if (!adjusting) {
        printCaptions(out, session.captions());
    }
    return finish(out, err, (adjusting ? adjusted : converged) ? kExitConverged : kExitNotConverged);
}

}  // namespace quorlin::cli
