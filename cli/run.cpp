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
    if (const FileOutcome read = session.loadCalibrationFile(a.calibrationFile); !read.ok)
        return complain(err, "cannot read " + a.calibrationFile + ": " + read.reason, kExitUsageOrFile);
    if (adjusting) {
        if (const FileOutcome read = session.loadAdjustmentFile(a.dataFile); !read.ok)
            return complain(err, "cannot read " + a.dataFile + ": " + read.reason, kExitUsageOrFile);
    }

    const CalibrationReport calibration = session.calibrate();
    const bool converged = calibration.converged();

    std::optional<AdjustmentReport> adjustment;
    if (adjusting && converged) adjustment = session.adjust();
    const bool adjusted = adjustment && adjustment->failedPoint == 0;

    if (adjusted) {
        const std::vector<TextRecord> records = adjustedRecords(session.adjustment(), *adjustment);
        if (!a.outputFile.empty()) {
            if (const FileOutcome written = session.saveAdjustedFile(a.outputFile, records); !written.ok)
                return complain(err, "could not save " + a.outputFile + ": " + written.reason, kExitUsageOrFile);
        } else if (!a.json) {
            out << dataFileText(records);
        }
    }

    if (a.json) {
        out << calibrationJson(session, calibration, adjustment ? &*adjustment : nullptr);
    } else if (!converged) {
        const std::string message = reportMessage(calibration);
        complain(err, std::string(outcomeName(calibration.outcome)) + (message.empty() ? "" : ": " + message),
                 kExitNotConverged);
    } else if (adjustment && !adjusted) {
        complain(err, "the adjustment stopped at point " + std::to_string(adjustment->failedPoint), kExitNotConverged);
    } else if (!adjusting) {
        printCaptions(out, session.captions());
    }
    return finish(out, err, (adjusting ? adjusted : converged) ? kExitConverged : kExitNotConverged);
}

}  // namespace quorlin::cli
