#include "log_command.h"

#include "json_output.h"
#include "log_arguments.h"
#include "run.h"

#include "io/file_replacement.h"
#include "logbook/logbook_file.h"
#include "logbook/utc_time.h"
#include "wording/logbook_text.h"
#include "wording/messages.h"

namespace quorlin::cli {

namespace {

std::string entryJson(const LogbookEntry& e)
{
    const auto number = [](double v) { return std::isfinite(v) ? exactNumberText(v) : std::string("null"); };
    const auto parameter = [](double v) { return std::isfinite(v) ? parameterText(v) : std::string("null"); };
    std::string out =
        "{\"entry\":" + std::to_string(e.number) + ",\"time\":" + jsonString(utcText(e.time)) + ",\"electrode\":"
        + jsonString(e.electrode) + ",\"operator\":" + jsonString(e.operatorName) + ",\"note\":" + jsonString(e.note)
        + ",\"temperature\":" + (e.temperature ? number(*e.temperature) : "null") + ",\"file\":" + jsonString(e.file)
        + ",\"sha256\":" + jsonString(e.sha256) + ",\"editedAfterLoading\":" + (e.editedAfterLoading ? "true" : "false")
        + ",\"acidConcentration\":" + jsonString(e.acidConcentration)
        + ",\"initialVolume\":" + jsonString(e.initialVolume) + ",\"points\":" + std::to_string(e.pointCount)
        + ",\"leftOut\":" + jsonString(e.leftOut) + ",\"ezero\":" + parameter(e.ezero)
        + ",\"ezeroSigma\":" + number(e.ezeroSigma) + ",\"slope\":" + parameter(e.slope)
        + ",\"slopeSigma\":" + number(e.slopeSigma) + ",\"slopePercentNernst\":" + number(slopePercent(e))
        + ",\"jcorr\":" + parameter(e.jcorr) + ",\"jcorrSigma\":" + number(e.jcorrSigma) + ",\"rms\":" + number(e.rms)
        + ",\"outliers\":" + jsonString(e.outliers) + ",\"warnings\":" + jsonString(e.warnings)
        + ",\"version\":" + jsonString(e.version) + ",\"passed\":" + (e.passed ? "true" : "false") + ",\"verdict\":"
        + jsonString(e.verdict) + ",\"corrects\":" + (e.corrects ? std::to_string(*e.corrects) : "null") + "}";
    return out;
}

int add(const LogArguments& a, const std::string& path, const RegionalSettings& regional, std::ostream& out,
        std::ostream& err)
{
    Logbook logbook(path, Logbook::Access::Write);
    Session session(regional);
    if (!load(session, a.calibrationFile, true, err) || !excludePoints(session, a.excludedPoints, err))
        return kExitUsageOrFile;
    if (a.request.corrects && !logbook.entry(*a.request.corrects))
        return complain(err, "--corrects " + std::to_string(*a.request.corrects) + ": no such entry", kExitUsageOrFile);
    const CalibrationReport calibration = session.calibrate({.statistics = true});
    if (!calibration.converged()) return complainNotConverged(err, session, calibration, "; nothing recorded");
    warn(err, a.calibrationFile, session);
    const LogbookEntry entry = recordCalibration(logbook, session, a.request, QUORLIN_VERSION);
    out << "Entry " << entry.number << ": " << entry.verdict << '\n';
    return entry.passed ? kExitConverged : kExitLimitFailed;
}

int list(const LogArguments& a, const std::string& path, std::ostream& out)
{
    const Logbook logbook(path, Logbook::Access::Read);
    EntryFilter filter;
    filter.since = a.since;
    if (!a.request.electrode.empty()) filter.electrode = a.request.electrode;
    const std::vector<LogbookEntry> entries = logbook.entries(filter);
    if (a.csv) {
        out << logbookCsv(entries);
    } else if (a.json) {
        out << '[';
        for (std::size_t i = 0; i < entries.size(); ++i) out << (i ? "," : "") << entryJson(entries[i]);
        out << "]\n";
    } else {
        for (const LogbookEntry& e : entries) out << logbookListLine(e) << '\n';
    }
    return kExitConverged;
}

int show(const LogArguments& a, const std::string& path, std::ostream& out, std::ostream& err)
{
    const Logbook logbook(path, Logbook::Access::Read);
    const std::optional<LogbookEntry> entry = logbook.entry(a.number);
    if (!entry) return complain(err, "no entry " + std::to_string(a.number) + " in " + path, kExitUsageOrFile);
    if (a.json) {
        out << entryJson(*entry) << '\n';
    } else {
        for (const auto& [label, value] : entryFields(*entry)) out << label << ": " << value << '\n';
    }
    return kExitConverged;
}

int limits(const LogArguments& a, const std::string& path, std::ostream& out)
{
    const std::string& electrode = a.request.electrode;
    if (!a.changesLimits()) {
        const Logbook logbook(path, Logbook::Access::Read);
        out << limitsText(logbook.limits(electrode));
        if (const std::string banner = validityBanner(logbook, electrode, nowSeconds()); !banner.empty())
            out << banner << '\n';
        return kExitConverged;
    }
    Logbook logbook(path, Logbook::Access::Write);
    const ElectrodeLimits changed = changedLimits(logbook.limits(electrode), a);
    logbook.setLimits(electrode, changed);
    out << limitsText(changed);
    return kExitConverged;
}

int plot(const LogArguments& a, const std::string& path, const RegionalSettings& regional, std::ostream& err)
{
    const Logbook logbook(path, Logbook::Access::Read);
    const std::vector<LogbookEntry> entries = logbook.entries({a.request.electrode, std::nullopt});
    const std::string svg = logbookTrendSvg(entries, logbook.limits(a.request.electrode), regional, 1600, 1200);
    const FileOutcome written = replaceFileContents(a.outputFile, svg);
    if (!written.ok)
        return complain(err, "could not save " + a.outputFile + ": " + fileErrorText(written), kExitUsageOrFile);
    if (entries.empty()) err << "no entries of electrode " << a.request.electrode << "; the plots are empty\n";
    return kExitConverged;
}

}  // namespace

int runLog(std::span<const std::string> args, const RegionalSettings& regional, std::ostream& out, std::ostream& err)
{
    const ParsedLogArguments parsed = parseLogArguments(args);
    if (!parsed.error.empty()) return complain(err, parsed.error + " (see quorlin-cli --help)", kExitUsageOrFile);
    const LogArguments& a = parsed.arguments;
    const std::string path = a.logbook.empty() ? defaultLogbookPath() : a.logbook;
    int status = kExitUsageOrFile;
    try {
        switch (a.command) {
        case LogArguments::Command::Add: status = add(a, path, regional, out, err); break;
        case LogArguments::Command::List: status = list(a, path, out); break;
        case LogArguments::Command::Show: status = show(a, path, out, err); break;
        case LogArguments::Command::Limits: status = limits(a, path, out); break;
        case LogArguments::Command::Plot: status = plot(a, path, regional, err); break;
        }
    } catch (const LogbookError& error) {
        return complain(err, logbookErrorText(error), kExitUsageOrFile);
    }
    return finish(out, err, status);
}

}  // namespace quorlin::cli
