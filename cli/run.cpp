#include "run.h"

#include "arguments.h"
#include "json_output.h"
#include "replay.h"

#include "core/adjustment.h"
#include "io/data_files.h"

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
    out << "Ezero " << captions.Parameter[1] << '\n'
        << "Slope " << captions.Parameter[2] << '\n'
        << "j corr " << captions.Parameter[3] << '\n'
        << captions.rmserror << '\n';
}

// The lines the window's "save adjusted data" writes: volume cell and adjusted cell.
std::vector<TextRecord> adjustedRecords(const Workspace& ws, const AdjustmentResult& adjustment)
{
    std::vector<TextRecord> records;
    for (std::size_t i = 0; i < adjustment.adjusted.size(); ++i)
        records.push_back({pointNumberText(pointOr0(ws.AdjVolume, static_cast<std::int32_t>(i) + 1)),
                           adjustment.adjusted[i]});
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

    Workspace ws;
    Captions captions;
    const bool adjusting = a.command == Arguments::Command::Adjust;
    if (const FileOutcome read = readCalibrationFile(ws, a.calibrationFile); !read.ok)
        return complain(err, "cannot read " + a.calibrationFile + ": " + read.reason, kExitUsageOrFile);
    if (adjusting) {
        if (const FileOutcome read = readAdjustmentFile(ws, a.dataFile); !read.ok)
            return complain(err, "cannot read " + a.dataFile + ": " + read.reason, kExitUsageOrFile);
    }

    const Calibration calibration = CalibrateLoadedData(ws, captions, regional);
    const bool converged = calibration.outcome == Outcome::Converged;

    std::optional<AdjustmentResult> adjustment;
    if (adjusting && converged) adjustment = adjustData(ws, RegionalFormat(regional));
    const bool adjusted = adjustment && adjustment->failedPoint == 0;

    if (adjusted) {
        const std::vector<TextRecord> records = adjustedRecords(ws, *adjustment);
        if (!a.outputFile.empty()) {
            if (const FileOutcome written = writeAdjustedFile(a.outputFile, records); !written.ok)
                return complain(err, "could not save " + a.outputFile + ": " + written.reason, kExitUsageOrFile);
        } else if (!a.json) {
            out << dataFileText(records);
        }
    }

    if (a.json) {
        out << calibrationJson(ws, captions, calibration, adjustment ? &*adjustment : nullptr);
    } else if (!converged) {
        const std::string message = calibration.message.empty() ? "" : ": " + calibration.message;
        complain(err, std::string(outcomeName(calibration.outcome)) + message, kExitNotConverged);
    } else if (adjustment && !adjusted) {
        complain(err, "the adjustment stopped at point " + std::to_string(adjustment->failedPoint), kExitNotConverged);
    } else if (!adjusting) {
        printCaptions(out, captions);
    }
    return finish(out, err, (adjusting ? adjusted : converged) ? kExitConverged : kExitNotConverged);
}

}  // namespace quorlin::cli
