#include "arguments.h"

#include <algorithm>
#include <charconv>
#include <vector>

namespace quorlin::cli {

namespace {

ParsedArguments usageError(std::string text) { return {Arguments{}, std::move(text)}; }

// "3,7,12": point numbers from 1, as the grid shows them.
bool readPointList(const std::string& text, std::vector<std::int32_t>& points)
{
    std::size_t start = 0;
    do {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        std::int32_t point = 0;
        const char* first = text.data() + start;
        const char* last = text.data() + comma;
        const auto [end, error] = std::from_chars(first, last, point);
        if (error != std::errc() || end != last || point < 1) return false;
        points.push_back(point);
        start = comma + 1;
    } while (start <= text.size());
    return true;
}

ParsedArguments only(Arguments::Command command)
{
    Arguments arguments;
    arguments.command = command;
    return {arguments, {}};
}

}  // namespace

ParsedArguments parseArguments(std::span<const std::string> args)
{
    Arguments result;
    std::vector<std::string> positional;
    bool outputGiven = false;
    bool optionsEnded = false;

    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            positional.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            return only(Arguments::Command::Help);
        } else if (arg == "--version") {
            return only(Arguments::Command::Version);
        } else if (arg == "--json") {
            result.json = true;
        } else if (arg == "--csv") {
            result.csv = true;
        } else if (arg == "--exclude") {
            if (i + 1 == args.size() || !readPointList(args[++i], result.excludedPoints))
                return usageError("--exclude needs point numbers such as 3,7");
        } else if (arg == "-o") {
            if (i + 1 == args.size()) return usageError("-o needs a file name");
            result.outputFile = args[++i];
            outputGiven = true;
        } else {
            return usageError("unknown option '" + arg + "'");
        }
    }

    if (positional.empty()) return usageError("no command given");
    const std::string& command = positional[0];
    const std::size_t files = positional.size() - 1;
    if (result.csv && command != "calibrate") return usageError("--csv belongs to calibrate");
    // calibrate refuses -o whatever it names.
    if (command != "calibrate" && outputGiven && result.outputFile.empty()) return usageError("-o needs a file name");
    if (command == "calibrate") {
        if (result.csv && result.json) return usageError("--csv and --json exclude each other");
        if (result.csv && !result.excludedPoints.empty()) return usageError("--exclude belongs to one CALFILE");
        if (files == 0 || (files > 1 && !result.csv)) return usageError("calibrate takes one file: CALFILE");
        if (outputGiven) return usageError("-o belongs to adjust");
        result.command = Arguments::Command::Calibrate;
        result.calibrationFiles.assign(positional.begin() + 1, positional.end());
    } else if (command == "adjust") {
        if (files != 2) return usageError("adjust takes two files: CALFILE DATAFILE");
        result.command = Arguments::Command::Adjust;
        result.dataFile = positional[2];
    } else if (command == "plot") {
        if (files != 1) return usageError("plot takes one file: CALFILE");
        if (!outputGiven) return usageError("plot needs -o FILE.svg");
        if (result.json) return usageError("--json belongs to calibrate and adjust");
        result.command = Arguments::Command::Plot;
    } else if (command == "report") {
        if (files != 1 && files != 2) return usageError("report takes CALFILE and perhaps DATAFILE");
        if (result.json) return usageError("--json belongs to calibrate and adjust");
        result.command = Arguments::Command::Report;
        if (files == 2) result.dataFile = positional[2];
    } else {
        return usageError("unknown command '" + command + "'");
    }
    result.calibrationFile = positional[1];
    return {result, {}};
}

std::string usageText()
{
    return "Usage: quorlin-cli calibrate CALFILE [--json]\n"
           "       quorlin-cli calibrate CALFILE... --csv\n"
           "       quorlin-cli adjust CALFILE DATAFILE [-o OUTFILE] [--json]\n"
           "       quorlin-cli plot CALFILE -o FILE.svg\n"
           "       quorlin-cli report CALFILE [DATAFILE] [-o FILE.html]\n"
           "       quorlin-cli log add CALFILE --electrode ID [--operator NAME] [--note TEXT]\n"
           "                   [--temperature C] [--exclude N,...] [--corrects N]\n"
           "       quorlin-cli log list [--electrode ID] [--since YYYY-MM-DD] [--csv|--json]\n"
           "       quorlin-cli log show N [--json]\n"
           "       quorlin-cli log limits --electrode ID [--slope-percent 95:102] [--rms-max MV]\n"
           "                   [--ezero-drift-max MV] [--jcorr LOW:HIGH] [--valid-days D]\n"
           "       quorlin-cli log plot --electrode ID -o FILE.svg\n"
           "       quorlin-cli --help | --version\n"
           "\n"
           "Runs what the Quorlin window does after loading files, without a window.\n"
           "\n"
           "calibrate  reads a calibration data file and fits Ezero, Slope and j corr;\n"
           "           prints the three parameter captions and the rms caption.\n"
           "adjust     calibrates with CALFILE, adjusts the readings of DATAFILE and writes\n"
           "           the adjusted data file to OUTFILE, or to standard output.\n"
           "plot       calibrates with CALFILE and writes the two plots the window shows as\n"
           "           an SVG file (1600 by 1200 pixels).\n"
           "report     calibrates with CALFILE, adjusts DATAFILE if given, and writes a\n"
           "           self-contained HTML report to FILE.html, or to standard output.\n"
           "--json     prints the outcome as one JSON object instead (with adjust and no\n"
           "           -o, the adjusted texts appear only in the object).\n"
           "--csv      prints a header line and one CSV line per CALFILE: file, points,\n"
           "           the parameters with their standard deviations, rms and outcome.\n"
           "--exclude  leaves the calibration points numbered N,... (from 1) out of the fit,\n"
           "           as if they were deleted from CALFILE; with every command but --csv.\n"
           "log add    calibrates CALFILE and records the calibration in the electrode logbook,\n"
           "           judged against the electrode's limits; prints the entry number and verdict.\n"
           "log list   lists the entries, of one electrode and since a day if asked;\n"
           "           log show N shows one. --csv and --json print them for other programs.\n"
           "log limits prints an electrode's limits, or sets those given (none: unchecked).\n"
           "log plot   draws Ezero, Slope (% of Nernst), j corr and rms against time with\n"
           "           the limits as an SVG file.\n"
           "--logbook FILE  the logbook of every log command, instead of\n"
           "           $XDG_DATA_HOME/quorlin/logbook.sqlite.\n"
           "\n"
           "Numbers are shown with the decimal separator of LC_NUMERIC/LANG, as in the window.\n"
           "Exit status: 0 converged (and written), 1 the calibration or adjustment did not\n"
           "succeed (nothing written but a report that says so), 2 usage error or a file\n"
           "that cannot be read or written (or a logbook that cannot be used), 3 log add\n"
           "recorded a calibration that fails a limit.\n";
}

std::string versionText() { return std::string("quorlin-cli ") + QUORLIN_VERSION + "\n"; }

}  // namespace quorlin::cli
