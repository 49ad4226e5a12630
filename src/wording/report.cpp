#include "report.h"

#include "plot/svg_surface.h"
#include "session/plot_export.h"
#include "wording/adjustment_flags.h"
#include "wording/captions.h"
#include "wording/fit_details.h"
#include "wording/logbook_text.h"
#include "wording/messages.h"

#include <cmath>

namespace quorlin {

namespace {

constexpr int kPlotWidth = 800;
constexpr int kPlotHeight = 600;

// Printed on A4, in type small enough for the widest table, the points', to fit a page.
constexpr std::string_view kStyle = "body{font-family:sans-serif;margin:2em;color:#000;background:#fff}"
                                    "table{border-collapse:collapse;margin:.5em 0 1.5em}"
                                    "th,td{border:1px solid #999;padding:2px 8px;text-align:right}"
                                    "th{background:#eee}.l{text-align:left}tr,.plot{break-inside:avoid}"
                                    "svg{max-width:100%;height:auto}.failed{font-weight:bold}"
                                    "@page{size:A4;margin:15mm}"
                                    "@media print{body{margin:0;font-size:9pt}}";

// The shortest text that reads back as the value, in its own precision.
template <typename T>
std::string exactText(T value)
{
    if (!std::isfinite(value)) return std::isnan(value) ? "NaN" : value > 0 ? "∞" : "−∞";
    return roundTripText(value);
}

std::string exactText(Number n)
{
    if (n.isEmpty()) return {};
    return n.isSingle() ? exactText(static_cast<float>(n.value())) : exactText(n.value());
}

std::string cell(std::string_view tag, std::string_view text, bool left = false)
{
    return "<" + std::string(tag) + (left ? " class=\"l\">" : ">") + xmlEscaped(text) + "</" + std::string(tag) + ">";
}

std::string row(std::initializer_list<std::string_view> cells, std::string_view tag = "td")
{
    std::string out = "<tr>";
    for (const std::string_view text : cells) out += cell(tag, text);
    return out + "</tr>\n";
}

// A row with one more cell at its end.
std::string extended(std::string row, std::string_view tag, std::string_view text, bool left = false)
{
    return row.insert(row.size() - std::string_view("</tr>\n").size(), cell(tag, text, left));
}

std::string labelled(std::string_view label, std::string_view value)
{
    return "<tr>" + cell("th", label, true) + cell("td", value, true) + "</tr>\n";
}

std::string parameterTable(const Session& session, const CalibrationRecord& record)
{
    const FitResult& fit = record.fit;
    const Captions captions = parameterCaptions(session);
    // As the window shows them; then every digit, in a table of details.
    std::string out = "<table>\n";
    for (std::size_t k = kEzero; k <= kJcorr; ++k) out += labelled(kParameterNames[k - 1], captions.parameter[k]);
    out += labelled("Rms error", captions.rmsError) + "</table>\n<h3>Details</h3>\n<table>\n"
           + row({"Parameter", "Value", "Standard deviation"}, "th");
    for (std::size_t k = kEzero; k <= kJcorr; ++k)
        out += "<tr>" + cell("th", kParameterNames[k - 1], true) + cell("td", exactText(fit.parameters[k]))
               + cell("td", exactText(fit.sigma[k])) + "</tr>\n";
    const std::int32_t n = record.fittedData().count;
    out += "</table>\n<table>\n" + labelled("Rms error (mV)", exactText(fit.rms))
           + labelled("Points", std::to_string(n)) + labelled("Degrees of freedom", std::to_string(n - 3))
           + "</table>\n";
    return out;
}

std::string pointList(const std::vector<std::int32_t>& points)
{
    std::string out;
    for (const std::int32_t point : points) out += (out.empty() ? "" : ", ") + std::to_string(point);
    return out;
}

std::string labelled(const StatisticLine& line) { return labelled(line.label, line.value); }

// What the double-precision statistics add to the fit, and the points it left out.
std::string statisticsSection(const Session& session, const CalibrationRecord& record, const FitStatistics& statistics)
{
    const FitResult& fit = record.fit;
    std::string out = "<h2>Fit statistics</h2>\n";
    for (const std::string& warning : fitWarnings(fit, statistics))
        out += "<p class=\"failed\">" + xmlEscaped(warning) + "</p>\n";
    const std::string leftOut =
        record.leftOut().empty() ? "" : labelled("Points left out of the fit", pointList(record.leftOut()));
    if (!statistics.identifiable) return out + (leftOut.empty() ? "" : "<table>\n" + leftOut + "</table>\n");
    if (statistics.exactFit) out += "<p>" + xmlEscaped(exactFitNote()) + "</p>\n";
    // The correlations in a table of their own, so that each fits the width of a page.
    out += "<table>\n" + row({"Parameter", "Double precision", "Standard deviation", "95% interval ±"}, "th");
    for (std::size_t k = kEzero; k <= kJcorr; ++k)
        out += "<tr>" + cell("th", kParameterNames[k - 1], true) + cell("td", exactText(statistics.parameters[k]))
               + cell("td", exactText(statistics.sigma[k])) + cell("td", exactText(statistics.ci95[k])) + "</tr>\n";
    out += "</table>\n<table>\n" + row({"Correlation", "Ezero", "Slope", "j corr"}, "th");
    for (std::size_t k = kEzero; k <= kJcorr; ++k) {
        out += "<tr>" + cell("th", kParameterNames[k - 1], true);
        for (std::size_t j = kEzero; j <= kJcorr; ++j) out += cell("td", exactText(statistics.correlation[k][j]));
        out += "</tr>\n";
    }
    out += "</table>\n<table>\n";
    if (!statistics.exactFit)
        out += labelled("Joint distance of the fit from the optimum (σ)", exactText(statistics.jointShift));
    out += leftOut;
    const RegionalSettings& regional = session.regional();
    if (!statistics.exactFit)
        out += labelled(outlierLine(record, regional)) + labelled(influenceLine(record, regional));
    if (statistics.runs) out += labelled(runsTestLine(*statistics.runs, regional));
    return out + "</table>\n";
}

std::string logbookTable(const LogbookEntry& e)
{
    std::string out =
        "<h2>Logbook</h2>\n<table>\n" + labelled("Logbook entry", std::to_string(e.number))
        + labelled("Electrode", e.electrode) + labelled("Operator", e.operatorName) + labelled("Note", e.note)
        + labelled("Temperature (°C)", e.temperature ? exactNumberText(*e.temperature) : "none given")
        + labelled(e.editedAfterLoading ? "SHA-256 of the points (edited after loading)" : "File SHA-256", e.sha256);
    return out + "<tr>" + cell("th", "Verdict", true) + "<td class=\"l" + (e.passed ? "" : " failed") + "\">"
           + xmlEscaped(e.verdict) + "</td></tr>\n</table>\n";
}

// A per-point statistic's cell, marked where it singles the point out.
std::string statisticText(const CalibrationRecord& record, std::int32_t row, double value, bool marked)
{
    if (record.fittedPoint(row) == 0) return "left out";
    if (std::isnan(value)) return "";
    return exactText(value) + (marked ? " ⚠" : "");
}

// A row with more cells at its end.
std::string withCells(std::string row, const std::string& cells)
{
    return row.insert(row.size() - std::string_view("</tr>\n").size(), cells);
}

std::string pointStatisticCells(const CalibrationRecord& record, std::int32_t row)
{
    const FitStatistics& s = *record.statistics;
    const auto value = [&](std::vector<double> FitStatistics::*values) { return record.pointStatistic(values, row); };
    const double cooks = value(&FitStatistics::cooksDistance);
    return cell("td", statisticText(record, row, value(&FitStatistics::studentized), false))
           + cell("td", statisticText(record, row, value(&FitStatistics::externallyStudentized),
                                      record.outlierCandidate(row).has_value()))
           + cell("td", statisticText(record, row, value(&FitStatistics::leverage), false))
           + cell("td", statisticText(record, row, cooks, s.influential(cooks)));
}

// Gathers the page into pieces of a fair size, so that the sink is called seldom and no
// more than a piece stands in memory; after the sink fails, nothing more goes to it.
class PageWriter {
public:
    explicit PageWriter(const ByteSink& sink) : sink_(sink) {}

    void operator()(std::string_view text)
    {
        if (!ok_) return;
        piece_ += text;
        if (piece_.size() >= kPieceSize) flush();
    }

    bool flush()
    {
        if (ok_ && !piece_.empty()) ok_ = sink_(piece_);
        piece_.clear();
        return ok_;
    }

    bool ok() const { return ok_; }

private:
    static constexpr std::size_t kPieceSize = 1 << 16;
    const ByteSink& sink_;
    std::string piece_;
    bool ok_ = true;
};

constexpr std::int32_t kAllRowsUpTo = 10000;
constexpr std::int32_t kRowsAtEachEnd = 1000;

// Every row up to kAllRowsUpTo; beyond, a page no browser would open comfortably, the
// first and last kRowsAtEachEnd with a row between naming what is left out and where it is.
template <typename RowText>
void writeRows(PageWriter& out, std::int32_t count, int columns, std::string_view allOf, const RowText& rowText)
{
    const bool shortened = count > kAllRowsUpTo;
    const std::int32_t firstEnd = shortened ? kRowsAtEachEnd : count;
    for (std::int32_t i = 1; i <= firstEnd && out.ok(); ++i) out(rowText(i));
    if (!shortened) return;
    const std::int32_t from = kRowsAtEachEnd + 1, to = count - kRowsAtEachEnd;
    out("<tr><td class=\"l\" colspan=\"" + std::to_string(columns) + "\">"
        + xmlEscaped("Points " + std::to_string(from) + " to " + std::to_string(to) + " ("
                     + std::to_string(to - from + 1) + " points) are left out here; " + std::string(allOf)
                     + " gives them all.")
        + "</td></tr>\n");
    for (std::int32_t i = to + 1; i <= count && out.ok(); ++i) out(rowText(i));
}

// The points of the calibration in force, with what the fit made of them; without one, the
// points as they are. What the statistics tell of each point has a table of its own, so
// that neither is too wide for a printed page.
void writePointTable(PageWriter& out, const Session& session)
{
    const CalibrationRecord* record = session.calibration().record().get();
    const bool fitted = record != nullptr;
    const CalibrationData& data = record ? record->allPoints() : session.calibration().data();
    const PointArray noResiduals;
    const PointArray& residuals = record ? record->allResiduals() : noResiduals;
    out("<table>\n"
        + row({"Point", "Volume (ml)", "emf (mV)", "Model pH", "[H+] (mol/L)", "Calculated emf (mV)", "Residual (mV)"},
              "th"));
    writeRows(out, data.count, 7, "quorlin-cli calibrate CALFILE --json", [&](std::int32_t i) {
        const Number emf = pointOr0(data.emf, i), residual = pointOr0(residuals, i);
        return row({std::to_string(i), exactText(pointOr0(data.volume, i)), exactText(emf),
                    exactText(pointOr0(data.pH, i)), exactText(pointOr0(data.hydrogen, i)),
                    fitted ? exactText(emf - residual) : "", fitted ? exactText(residual) : ""});
    });
    out("</table>\n");
    if (!fitted || !record->statistics || !record->statistics->identifiable) return;
    out("<table>\n"
        + row({"Point", "Internally studentised residual", "Externally studentised residual", "Leverage",
               "Cook's distance"},
              "th"));
    writeRows(out, data.count, 5, "quorlin-cli calibrate CALFILE --json",
              [&](std::int32_t i) { return withCells(row({std::to_string(i)}), pointStatisticCells(*record, i)); });
    out("</table>\n");
}

void writeAdjustmentSection(PageWriter& out, const Session& session)
{
    const PointSet& data = session.adjustment().points();
    const AdjustmentReport adjusted = session.adjust();
    out("<h2>Adjusted data</h2>\n<table>\n" + labelled("Data file", fileCaption(session.adjustment().file())));
    if (session.adjustment().adjustedFile())
        out(labelled("Adjusted data saved to", *session.adjustment().adjustedFile()));
    out("</table>\n");
    if (adjusted.failedPoint != 0)
        out("<p class=\"failed\">The adjustment stopped at point " + std::to_string(adjusted.failedPoint) + ".</p>\n");
    const std::string flagged = adjustmentFlagsText(adjusted.flags, session.regional());
    if (!flagged.empty()) out("<p class=\"failed\">" + xmlEscaped(flagged + ".") + "</p>\n");
    // The calibration's uncertainty carried into each adjusted value, and with it the reading's own.
    const std::optional<FitStatistics>& statistics = session.calibration().record()->statistics;
    const bool sigma = statistics && statistics->identifiable;
    if (sigma)
        out("<p>σ from the calibration is the uncertainty of Ezero, Slope and j corr carried into each adjusted "
            "value. All points share one calibration, so these parts are fully correlated between points: they do "
            "not average out. σ total adds the reading's own noise, taken as the rms error of the fit and carried "
            "through the adjustment.</p>\n");
    std::string header = row({"Point", "Volume (ml)", "Measured emf (mV)", "Adjusted emf (mV)"}, "th");
    if (sigma) header = extended(extended(header, "th", "σ from the calibration (mV)"), "th", "σ total (mV)");
    if (!flagged.empty()) header = extended(header, "th", "Flag");
    out("<table>\n" + header);
    const int columns = 4 + (sigma ? 2 : 0) + (flagged.empty() ? 0 : 1);
    writeRows(out, data.count, columns, "quorlin-cli adjust CALFILE DATAFILE --json", [&](std::int32_t i) {
        const auto k = static_cast<std::size_t>(i - 1);
        const bool adjustedHere = k < adjusted.texts.size();
        std::string line = row({std::to_string(i), exactText(pointOr0(data.volume, i)),
                                exactText(pointOr0(data.emf, i)), adjustedHere ? adjusted.texts[k] : ""});
        if (sigma) {
            const AdjustedSigma s = adjustedHere ? session.adjustedSigma(i) : AdjustedSigma{};
            line = extended(extended(line, "td", adjustedHere ? exactText(s.calibration) : ""), "td",
                            adjustedHere ? exactText(s.total) : "");
        }
        if (!flagged.empty())
            line = extended(line, "td", adjustedHere ? readingFlagsText(adjusted.flags.points[k], adjusted.flags) : "",
                            true);
        return line;
    });
    out("</table>\n");
}

}  // namespace

bool writeCalibrationReport(const Session& session, const ReportContext& context, const ByteSink& sink)
{
    return writeCalibrationReport(session, context, sink, nullptr);
}

bool writeCalibrationReport(const Session& session, const ReportContext& context, const ByteSink& sink,
                            const LogbookEntry* entry)
{
    const Calibration& calibration = session.calibration();
    const CalibrationRecord* record = calibration.record().get();
    const std::optional<std::string>& file = record ? record->file : calibration.file();
    const std::array<std::string, 2>& constants = record ? record->input->constantTexts : calibration.constantTexts();

    PageWriter out(sink);
    out("<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<title>Quorlin calibration report</title>\n<style>"
        + std::string(kStyle) + "</style>\n</head>\n<body>\n<h1>Quorlin calibration report</h1>\n");
    if (record && calibration.outOfDate())
        out("<p class=\"failed\">"
            + xmlEscaped(changedSinceText(*record) + "; this report describes the data as they were calibrated.")
            + "</p>\n");
    out("<table>\n" + labelled("Program", "Quorlin " + context.version) + labelled("Date and time", context.dateTime)
        + labelled("Calibration file", file ? *file : "none") + labelled("Acid concentration (mol/L)", constants[0])
        + labelled("Initial volume (ml)", constants[1]));
    if (const std::string note = calibrationDataEndNote(session); !note.empty()) out(labelled("Data read", note));
    out("</table>\n");
    if (entry) out(logbookTable(*entry));

    out("<h2>Calibration</h2>\n");
    if (record) {
        out(parameterTable(session, *record));
        if (record->statistics) out(statisticsSection(session, *record, *record->statistics));
    } else
        out("<p class=\"failed\">No calibration has converged: there are no parameters to report.</p>\n");

    if (file) {
        SvgSurface plot(kPlotWidth, kPlotHeight);
        plot.setDrawnOnce(svgDrawsOnce(session));
        drawCalibrationPlots(plot, session, plotTitle(session));
        out("<div class=\"plot\">\n" + plot.element() + "</div>\n");
    }
    out("<h2>Points</h2>\n");
    writePointTable(out, session);
    if (session.adjustment().file() && session.canAdjust()) writeAdjustmentSection(out, session);
    out("</body>\n</html>\n");
    return out.flush();
}

std::string calibrationReportHtml(const Session& session, const ReportContext& context)
{
    std::string page;
    writeCalibrationReport(session, context, [&page](std::string_view piece) {
        page += piece;
        return true;
    });
    return page;
}

}  // namespace quorlin
