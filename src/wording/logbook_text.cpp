#include "logbook_text.h"

#include "logbook/utc_time.h"
#include "plot/svg_surface.h"
#include "plot/trend_plot.h"
#include "translatable.h"
#include "wording/fit_details.h"

#include <charconv>
#include <cmath>

namespace quorlin {

namespace {

// Always with a point: these texts are kept in the logbook and read anywhere.
std::string fixed(double value, int decimals)
{
    if (!std::isfinite(value)) return "NaN";
    char text[64];
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals).ptr;
    return std::string(text, end);
}

std::string optionalText(const std::optional<double>& value, std::string_view unit)
{
    return value ? exactNumberText(*value) + std::string(unit) : QUORLIN_TRANSLATE_NOOP("Logbook", "none");
}

std::string failureText(const LimitFailure& f)
{
    switch (f.kind) {
    case LimitKind::SlopeLow: return "slope below " + exactNumberText(f.limit) + " %";
    case LimitKind::SlopeHigh: return "slope above " + exactNumberText(f.limit) + " %";
    case LimitKind::Rms: return "rms " + fixed(f.value, 3) + " mV above " + exactNumberText(f.limit) + " mV";
    case LimitKind::EzeroDrift:
        return "Ezero moved " + fixed(f.value, 1) + " mV since the last passing calibration, more than "
               + exactNumberText(f.limit) + " mV";
    case LimitKind::JcorrLow: return "j corr " + fixed(f.value, 1) + " below " + exactNumberText(f.limit);
    case LimitKind::JcorrHigh: return "j corr " + fixed(f.value, 1) + " above " + exactNumberText(f.limit);
    }
    return {};
}

bool isNumber(const std::string& text)
{
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

// Leads a field that a spreadsheet would take for a formula with an apostrophe (a number
// such as -12.5 stays a number), and quotes one that holds a separator, a quote or a line
// break.
std::string csvField(const std::string& text)
{
    std::string field = text;
    if (!field.empty() && (field[0] == '=' || field[0] == '+' || field[0] == '-' || field[0] == '@')
        && !isNumber(field))
        field.insert(0, "'");
    if (field.find_first_of(",\"\r\n") == std::string::npos) return field;
    std::string quoted = "\"";
    for (const char c : field) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

std::string temperatureText(const std::optional<double>& temperature)
{
    return temperature ? exactNumberText(*temperature) + " °C" : "";
}

}  // namespace

std::string exactNumberText(double value)
{
    if (!std::isfinite(value)) return "NaN";
    char text[64];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return std::string(text, end);
}

std::string parameterText(double value)
{
    const auto single = static_cast<float>(value);
    if (!std::isfinite(value) || static_cast<double>(single) != value) return exactNumberText(value);
    char text[64];
    const auto end = std::to_chars(text, text + sizeof text, single).ptr;
    return std::string(text, end);
}

std::string verdictText(const Verdict& v)
{
    std::string text = "Slope " + fixed(v.slopePercent, 1) + " % of Nernst at " + exactNumberText(v.temperature) + " °C"
                       + (v.temperatureAssumed ? QUORLIN_TRANSLATE_NOOP("Logbook", " (no temperature given)") : "");
    if (v.passed()) return text + QUORLIN_TRANSLATE_NOOP("Logbook", " — within limits");
    text += QUORLIN_TRANSLATE_NOOP("Logbook", " — outside limits: ");
    for (std::size_t i = 0; i < v.failures.size(); ++i) text += (i ? "; " : "") + failureText(v.failures[i]);
    return text;
}

std::string logbookErrorText(const LogbookError& e)
{
    using P = LogbookError::Problem;
    switch (e.problem) {
    case P::NotALogbook: {
        std::string reason;
        switch (e.kind) {
        case LogbookError::Kind::Empty: reason = QUORLIN_TRANSLATE_NOOP("Logbook", "an empty file"); break;
        case LogbookError::Kind::NotSqlite: reason = QUORLIN_TRANSLATE_NOOP("Logbook", "not an SQLite database"); break;
        case LogbookError::Kind::OtherDatabase:
            reason = QUORLIN_TRANSLATE_NOOP("Logbook", "a database of another program");
            break;
        case LogbookError::Kind::Damaged:
            reason = QUORLIN_TRANSLATE_NOOP("Logbook", "damaged") + (e.detail.empty() ? "" : ": " + e.detail);
            break;
        }
        return e.path + QUORLIN_TRANSLATE_NOOP("Logbook", " is not a Quorlin logbook (") + reason + ")";
    }
    case P::NewerVersion:
        return e.path + " is a logbook of version " + std::to_string(e.version)
               + ", newer than this Quorlin reads (version " + std::to_string(Logbook::kVersion) + ")";
    case P::ReadOnly:
        return e.path + QUORLIN_TRANSLATE_NOOP("Logbook", " is read-only: it can be listed, not added to");
    case P::Failed: return e.path + ": " + e.detail;
    }
    return e.path;
}

StatisticsSummary logbookStatisticsSummary(const CalibrationRecord& record)
{
    StatisticsSummary summary;
    if (!record.statistics) return summary;
    std::vector<std::int32_t> outliers;
    for (const OutlierCandidate& c : record.statistics->outliers) outliers.push_back(record.dataRow(c.point));
    summary.outliers = pointNumbersText(outliers);
    for (const std::string& warning : fitWarnings(record.fit, *record.statistics))
        summary.warnings += (summary.warnings.empty() ? "" : "\n") + warning;
    return summary;
}

LogbookEntry recordCalibration(Logbook& logbook, const Session& session, const LogbookRequest& request,
                               const std::string& version)
{
    LogbookEntry entry = logbookEntry(session.calibration(), request, version);
    const StatisticsSummary summary = logbookStatisticsSummary(*session.calibration().record());
    entry.outliers = summary.outliers;
    entry.warnings = summary.warnings;
    return logbook.add(std::move(entry), verdictText);
}

std::string validityBanner(const Logbook& logbook, const std::string& electrode, std::int64_t now)
{
    const std::optional<double> valid = logbook.limits(electrode).validDays;
    if (!valid) return {};
    const std::optional<LogbookEntry> last = logbook.lastPassing(electrode);
    const std::string start = "Electrode " + electrode + ": ";
    if (!last) return start + QUORLIN_TRANSLATE_NOOP("Logbook", "no passing calibration recorded");
    const double age = static_cast<double>(now - last->time) / 86400.0;
    if (age <= *valid) return {};
    // Whole days as a lab counts them; a validity shorter than a day in hours or minutes.
    const auto count = [](std::int64_t n, const char* unit) {
        return std::to_string(n) + " " + unit + (n == 1 ? "" : "s");
    };
    const std::int64_t seconds = now - last->time;
    const std::string ago = seconds >= 86400  ? count(seconds / 86400, "day")
                            : seconds >= 3600 ? count(seconds / 3600, "hour")
                                              : count(seconds / 60, "minute");
    return start + "last calibration " + ago + " ago; valid for " + exactNumberText(*valid);
}

std::string limitsText(const ElectrodeLimits& l)
{
    return "Slope (% of Nernst): " + exactNumberText(l.slopePercentMin) + " to " + exactNumberText(l.slopePercentMax)
           + "\nLargest rms: " + optionalText(l.rmsMax, " mV")
           + "\nLargest change of Ezero since the last passing calibration: " + optionalText(l.ezeroDriftMax, " mV")
           + "\nj corr from: " + optionalText(l.jcorrMin, "") + "\nj corr to: " + optionalText(l.jcorrMax, "")
           + "\nValid for: " + optionalText(l.validDays, " days") + "\n";
}

std::vector<std::pair<std::string, std::string>> entryFields(const LogbookEntry& e)
{
    const auto withSigma = [](double value, double sigma) {
        return parameterText(value) + " ± " + exactNumberText(sigma);
    };
    return {
        {"Entry", std::to_string(e.number)},
        {"Electrode", e.electrode},
        {"Operator", e.operatorName},
        {"Note", e.note},
        {"Temperature", temperatureText(e.temperature)},
        {"Time (UTC)", utcText(e.time)},
        {"Local time", localTimeText(e.time)},
        {"Calibration file", e.file},
        {e.editedAfterLoading ? "SHA-256 of the points (edited after loading)" : "File SHA-256", e.sha256},
        {"Acid concentration (mol/L)", e.acidConcentration},
        {"Initial volume (ml)", e.initialVolume},
        {"Points", std::to_string(e.pointCount)},
        {"Points left out", e.leftOut},
        {"Ezero (mV)", withSigma(e.ezero, e.ezeroSigma)},
        {"Slope (mV/pH)", withSigma(e.slope, e.slopeSigma)},
        {"Slope (% of Nernst)", fixed(slopePercent(e), 2)},
        {"j corr (mV·L/mol)", withSigma(e.jcorr, e.jcorrSigma)},
        {"Rms error (mV)", exactNumberText(e.rms)},
        {"Outlier candidates", e.outliers},
        {"Warnings", e.warnings},
        {"Program version", e.version},
        {"Verdict", e.verdict},
        {"Corrects entry", e.corrects ? std::to_string(*e.corrects) : ""},
    };
}

std::string logbookCsv(const std::vector<LogbookEntry>& entries)
{
    std::string out =
        "entry,time_utc,electrode,operator,note,temperature_c,file,sha256,edited_after_loading,"
        "acid_concentration,initial_volume,points,left_out,ezero,ezero_sigma,slope,slope_sigma,"
        "slope_percent_nernst,jcorr,jcorr_sigma,rms,outliers,warnings,version,passed,verdict,corrects\r\n";
    for (const LogbookEntry& e : entries) {
        const std::string fields[] = {std::to_string(e.number),
                                      utcText(e.time),
                                      e.electrode,
                                      e.operatorName,
                                      e.note,
                                      e.temperature ? exactNumberText(*e.temperature) : "",
                                      e.file,
                                      e.sha256,
                                      e.editedAfterLoading ? "1" : "0",
                                      e.acidConcentration,
                                      e.initialVolume,
                                      std::to_string(e.pointCount),
                                      e.leftOut,
                                      parameterText(e.ezero),
                                      exactNumberText(e.ezeroSigma),
                                      parameterText(e.slope),
                                      exactNumberText(e.slopeSigma),
                                      fixed(slopePercent(e), 2),
                                      parameterText(e.jcorr),
                                      exactNumberText(e.jcorrSigma),
                                      exactNumberText(e.rms),
                                      e.outliers,
                                      e.warnings,
                                      e.version,
                                      e.passed ? "1" : "0",
                                      e.verdict,
                                      e.corrects ? std::to_string(*e.corrects) : ""};
        std::string line;
        for (const std::string& field : fields) line += (line.empty() ? "" : ",") + csvField(field);
        out += line + "\r\n";
    }
    return out;
}

std::string logbookListLine(const LogbookEntry& e)
{
    return std::to_string(e.number) + "  " + localTimeText(e.time) + "  " + e.electrode + "  " + e.operatorName + "  "
           + (e.passed ? "pass" : "FAIL") + "  " + e.verdict;
}

double slopePercent(const LogbookEntry& e)
{
    return 100.0 * e.slope / nernstSlope(e.temperature.value_or(kAssumedTemperature));
}

void drawLogbookTrends(Surface& surface, const std::vector<LogbookEntry>& entries, const ElectrodeLimits& limits,
                       const RegionalSettings& regional)
{
    std::vector<TrendSeries> series{
        {"Ezero", "mV", {}, std::nullopt, std::nullopt},
        {"Slope", "% of Nernst", {}, limits.slopePercentMin, limits.slopePercentMax},
        {"j corr", "mV·L/mol", {}, limits.jcorrMin, limits.jcorrMax},
        {"Rms error", "mV", {}, std::nullopt, limits.rmsMax},
    };
    // Days as a lab counts them; hours or minutes for calibrations closer together.
    const std::int64_t span = entries.empty() ? 0 : entries.back().time - entries.front().time;
    const auto [unit, seconds] = span >= 2 * 86400  ? std::pair("days", 86400.0)
                                 : span >= 2 * 3600 ? std::pair("hours", 3600.0)
                                                    : std::pair("minutes", 60.0);
    std::vector<double> times;
    // The drift limit is a band around the last value that passed.
    std::optional<double> passedEzero;
    for (const LogbookEntry& e : entries) {
        times.push_back(static_cast<double>(e.time - entries.front().time) / seconds);
        series[0].values.push_back(e.ezero);
        series[1].values.push_back(slopePercent(e));
        series[2].values.push_back(e.jcorr);
        series[3].values.push_back(e.rms);
        if (e.passed) passedEzero = e.ezero;
    }
    if (limits.ezeroDriftMax && passedEzero) {
        series[0].low = *passedEzero - *limits.ezeroDriftMax;
        series[0].high = *passedEzero + *limits.ezeroDriftMax;
    }
    const std::string since = entries.empty()
                                  ? std::string(unit)
                                  : unit + std::string(" since ") + localTimeText(entries.front().time).substr(0, 16);
    drawTrendPlots(surface, times, series, since, regional);
}

std::string logbookTrendSvg(const std::vector<LogbookEntry>& entries, const ElectrodeLimits& limits,
                            const RegionalSettings& regional, int width, int height)
{
    SvgSurface svg(width, height);
    drawLogbookTrends(svg, entries, limits, regional);
    return svg.document();
}

}  // namespace quorlin
