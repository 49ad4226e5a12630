#include "run.h"

#include "arguments.h"
#include "csv_output.h"
#include "json_output.h"
#include "log_command.h"

#include "io/file_replacement.h"
#include "session/plot_export.h"
#include "session/session.h"
#include "wording/adjustment_flags.h"
#include "wording/captions.h"
#include "wording/fit_details.h"
#include "wording/messages.h"
#include "wording/notices.h"
#include "wording/report.h"

#include <algorithm>
#include <cctype>
#include <ctime>
#include <optional>
#include <sys/stat.h>
#include <utility>
#include <vector>

namespace quorlin::cli {

int complain(std::ostream& err, const std::string& text, int status)
{
    err << "quorlin-cli: " << text << '\n';
    return status;
}

namespace {

void printCaptions(std::ostream& out, const Session& session)
{
    const Captions captions = parameterCaptions(session);
    out << "Ezero " << captions.parameter[kEzero] << '\n'
        << "Slope " << captions.parameter[kSlope] << '\n'
        << "j corr " << captions.parameter[kJcorr] << '\n'
        << captions.rmsError << '\n';
}

}  // namespace

// Loads one file into the session and notes data that end early; nothing when the file
// cannot be read, which has then been complained about.
std::optional<FileOutcome> load(Session& session, const std::string& file, bool calibration, std::ostream& err)
{
    const FileOutcome read = calibration ? session.loadCalibrationFile(file) : session.loadAdjustmentFile(file);
    if (!read.ok) {
        complain(err, "cannot read " + file + ": " + fileErrorText(read), kExitUsageOrFile);
        return std::nullopt;
    }
    const std::int32_t points = calibration ? session.calibration().count() : session.adjustment().count();
    if (const std::string note = dataEndNote(file, read, points); !note.empty()) err << note << '\n';
    return read;
}

// Leaves the points out of the session's fit; false, having complained, when one is no
// point of the calibration file.
bool excludePoints(Session& session, const std::vector<std::int32_t>& points, std::ostream& err)
{
    for (const std::int32_t point : points) {
        if (point > session.calibration().count()) {
            complain(err,
                     "--exclude " + std::to_string(point) + ": the calibration data have "
                         + std::to_string(session.calibration().count()) + " points",
                     kExitUsageOrFile);
            return false;
        }
        if (!session.calibration().exclusions().contains(point)) session.toggleExclusion(point);
    }
    return true;
}

void warn(std::ostream& err, std::string_view file, const std::vector<std::string>& warnings)
{
    for (const std::string& warning : warnings) err << file << ": " << warning << '\n';
}

void warn(std::ostream& err, std::string_view file, const Session& session)
{
    if (const CalibrationRecord* record = session.calibration().record().get(); record && record->statistics)
        warn(err, file, fitWarnings(record->fit, *record->statistics));
}

int finish(std::ostream& out, std::ostream& err, int status)
{
    out.flush();
    if (!out) return complain(err, "cannot write standard output", kExitUsageOrFile);
    return status;
}

int complainNotConverged(std::ostream& err, const Session& session, const CalibrationReport& calibration,
                         std::string_view consequence)
{
    const std::string message = reportMessage(calibration);
    complain(err,
             std::string(outcomeName(calibration.outcome)) + (message.empty() ? "" : ": " + message)
                 + std::string(consequence),
             kExitNotConverged);
    if (const std::string advice = leaveOutAdvice(session.calibration().data(), calibration, Reader::CommandLine);
        !advice.empty())
        complain(err, advice, kExitNotConverged);
    return kExitNotConverged;
}

namespace {

// One line on the adjusted values flagged as doubtful, when any is; the exit status stays.
void noteFlaggedAdjustment(const AdjustmentFlags& flags, const RegionalSettings& regional, std::ostream& err)
{
    if (const std::string text = adjustmentFlagsText(flags, regional); !text.empty())
        complain(err, text, kExitConverged);
}

// Local time with its offset from UTC, as ISO 8601 writes it: 2024-05-01T14:03:09+02:00.
std::string localDateTime()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    char text[40] = "";
    if (!localtime_r(&now, &local) || std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S%z", &local) == 0) return {};
    std::string iso = text;
    if (iso.size() >= 5) iso.insert(iso.size() - 2, ":");
    return iso;
}

bool hasSvgName(const std::string& path)
{
    if (path.size() < 4) return false;
    std::string suffix = path.substr(path.size() - 4);
    std::transform(suffix.begin(), suffix.end(), suffix.begin(), [](unsigned char c) { return std::tolower(c); });
    return suffix == ".svg";
}

// The same file under either name: the same device and inode, links followed.
bool sameFile(const std::string& a, const std::string& b)
{
    struct stat first {
    }, second{};
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev
           && first.st_ino == second.st_ino;
}

// Unreadable files are named and passed over; the others each get their line.
int runCsv(const Arguments& a, const RegionalSettings& regional, std::ostream& out, std::ostream& err)
{
    out << calibrationCsvHeader();
    int status = kExitConverged;
    for (const std::string& file : a.calibrationFiles) {
        Session session(regional);
        if (!load(session, file, true, err)) {
            status = kExitUsageOrFile;
            continue;
        }
        const CalibrationReport calibration = session.calibrate({.residuals = false, .parameterStatistics = true});
        out << calibrationCsvLine(file, session, calibration);
        if (calibration.converged()) warn(err, file, session);
        if (!calibration.converged() && status == kExitConverged) status = kExitNotConverged;
    }
    return finish(out, err, status);
}

int runPlotOrReport(const Arguments& a, const RegionalSettings& regional, std::ostream& out, std::ostream& err)
{
    Session session(regional);
    for (const auto& [file, calibrationFile] : {std::pair(a.calibrationFile, true), std::pair(a.dataFile, false)}) {
        if (!file.empty() && !load(session, file, calibrationFile, err)) return kExitUsageOrFile;
    }
    if (!excludePoints(session, a.excludedPoints, err)) return kExitUsageOrFile;
    const bool plot = a.command == Arguments::Command::Plot;
    const CalibrationReport calibration = session.calibrate({.statistics = !plot, .parameterStatistics = plot});
    if (plot && !calibration.converged()) return complainNotConverged(err, session, calibration);

    // A report says plainly that the calibration failed, so it is written all the same.
    // It goes out as it is made: at a million points the whole page would not fit well.
    const ReportContext context{QUORLIN_VERSION, localDateTime()};
    const ByteProducer produce = [&](const ByteSink& sink) {
        return plot ? sink(calibrationPlotSvg(session, plotTitle(session), 1600, 1200))
                    : writeCalibrationReport(session, context, sink);
    };
    if (a.outputFile.empty()) {
        produce([&out](std::string_view piece) {
            return static_cast<bool>(out.write(piece.data(), static_cast<std::streamsize>(piece.size())));
        });
    } else if (const FileOutcome written = replaceFileContents(a.outputFile, produce); !written.ok) {
        return complain(err, "could not save " + a.outputFile + ": " + fileErrorText(written), kExitUsageOrFile);
    }
    if (!plot && session.adjustment().file() && session.canAdjust())
        noteFlaggedAdjustment(session.adjustmentResult()->flags, regional, err);
    if (calibration.converged())
        warn(err, a.calibrationFile, session);
    else
        complainNotConverged(err, session, calibration);
    return finish(out, err, calibration.converged() ? kExitConverged : kExitNotConverged);
}

}  // namespace

int Run(std::span<const std::string> args, const RegionalSettings& regional, std::ostream& out, std::ostream& err)
{
    if (!args.empty() && args[0] == "log") return runLog(args.subspan(1), regional, out, err);
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

    // A plot in an SVG file named otherwise would not open as what its name says.
    if (a.command == Arguments::Command::Plot && !hasSvgName(a.outputFile)) {
        err << "quorlin-cli writes plots as SVG; name the file .svg\n";
        return kExitUsageOrFile;
    }
    // Writing over an input would lose the data the output was made from.
    for (const std::string* input : {&a.calibrationFile, &a.dataFile})
        if (!a.outputFile.empty() && !input->empty() && sameFile(a.outputFile, *input))
            return complain(err, a.outputFile + " is an input file; nothing written", kExitUsageOrFile);

    if (a.command == Arguments::Command::Calibrate && a.csv) return runCsv(a, regional, out, err);
    if (a.command == Arguments::Command::Plot || a.command == Arguments::Command::Report)
        return runPlotOrReport(a, regional, out, err);

    Session session(regional);
    const bool adjusting = a.command == Arguments::Command::Adjust;
    const std::optional<FileOutcome> calibrationRead = load(session, a.calibrationFile, true, err);
    if (!calibrationRead || !excludePoints(session, a.excludedPoints, err)) return kExitUsageOrFile;
    std::optional<FileOutcome> adjustmentRead;
    if (adjusting && !(adjustmentRead = load(session, a.dataFile, false, err))) return kExitUsageOrFile;

    // Only JSON lists the residuals, and the statistics, which it works out itself; the
    // rest need only the parameters' part for their warnings.
    const CalibrationReport calibration = session.calibrate({.residuals = a.json, .parameterStatistics = !a.json});
    const bool converged = calibration.converged();

    // The lines the window's "save adjusted data" writes: volume cell and adjusted cell.
    std::optional<AdjustedPoints> points;
    if (adjusting && converged) points = session.adjustedPoints();
    // An adjusted file is written only when it would read back as every point.
    std::string unwritten;
    if (points) {
        if (points->failedPoint() != 0)
            unwritten = "the adjustment stopped at point " + std::to_string(points->failedPoint());
        else if (points->size() == 0)
            unwritten = a.dataFile + ": no points to adjust";
        else if (const std::string problem = pointEndingData(*points); !problem.empty())
            unwritten = problem + "; nothing written";
    }
    const bool adjusted = points && unwritten.empty();

    if (adjusted) {
        if (!a.outputFile.empty()) {
            if (const FileOutcome written = session.saveAdjustedFile(a.outputFile, *points); !written.ok)
                return complain(err, "could not save " + a.outputFile + ": " + fileErrorText(written),
                                kExitUsageOrFile);
        } else if (!a.json) {
            writeDataFileLines(
                points->size(), [&points](std::string& line, std::size_t i) { points->appendLine(line, i); },
                [&out](std::string_view piece) {
                    return static_cast<bool>(out.write(piece.data(), static_cast<std::streamsize>(piece.size())));
                });
        }
        noteFlaggedAdjustment(points->flags(), regional, err);
    }

    if (a.json) {
        const std::optional<AdjustmentReport> adjustment = points ? std::optional(points->texts()) : std::nullopt;
        warn(err, a.calibrationFile,
             writeCalibrationJson(out, session, calibration, adjustment ? &*adjustment : nullptr,
                                  {*calibrationRead, adjustmentRead.value_or(FileOutcome{})}));
    } else if (!converged) {
        complainNotConverged(err, session, calibration);
    } else if (points && !adjusted) {
        complain(err, unwritten, kExitNotConverged);
    } else if (!adjusting) {
        printCaptions(out, session);
    }
    if (!a.json && converged) warn(err, a.calibrationFile, session);
    return finish(out, err, (adjusting ? adjusted : converged) ? kExitConverged : kExitNotConverged);
}

}  // namespace quorlin::cli
