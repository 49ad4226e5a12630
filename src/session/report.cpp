#include "report.h"

#include "plot/svg_surface.h"
#include "session/plot_export.h"

#include <cmath>

namespace quorlin {

namespace {

constexpr int kPlotWidth = 800;
constexpr int kPlotHeight = 600;

constexpr std::string_view kStyle = "body{font-family:sans-serif;margin:2em;color:#000;background:#fff}"
                                    "table{border-collapse:collapse;margin:.5em 0 1.5em}"
                                    "th,td{border:1px solid #999;padding:2px 8px;text-align:right}"
                                    "th{background:#eee}.l{text-align:left}tr,.plot{break-inside:avoid}"
                                    "svg{max-width:100%;height:auto}.failed{font-weight:bold}"
                                    "@media print{body{margin:0}}";

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

std::string labelled(std::string_view label, std::string_view value)
{
    return "<tr>" + cell("th", label, true) + cell("td", value, true) + "</tr>\n";
}

std::string parameterTable(const Session& session, const FitResult& fit)
{
    const char* names[] = {"Ezero (mV)", "Slope (mV/pH)", "j corr (mV·L/mol)"};
    std::string out = "<table>\n" + row({"Parameter", "Value±σ", "Value", "Standard deviation"}, "th");
    for (std::size_t k = kEzero; k <= kJcorr; ++k)
        out += "<tr>" + cell("th", names[k - 1], true) + cell("td", session.captions().parameter[k])
               + cell("td", exactText(fit.parameters[k])) + cell("td", exactText(fit.sigma[k])) + "</tr>\n";
    const std::int32_t n = session.calibration().count;
    out += "</table>\n<table>\n" + labelled("Rms error", session.captions().rmsError)
           + labelled("Rms error (mV)", exactText(fit.rms)) + labelled("Points", std::to_string(n))
           + labelled("Degrees of freedom", std::to_string(n - 3)) + "</table>\n";
    return out;
}

std::string pointTable(const CalibrationData& data, bool fitted)
{
    std::string out =
        "<table>\n"
        + row({"Point", "Volume (ml)", "emf (mV)", "Model pH", "[H+] (mol/L)", "Calculated emf (mV)", "Residual (mV)"},
              "th");
    for (std::int32_t i = 1; i <= data.count; ++i) {
        const Number emf = pointOr0(data.emf, i), residual = pointOr0(data.residual, i);
        out += row({std::to_string(i), exactText(pointOr0(data.volume, i)), exactText(emf),
                    exactText(pointOr0(data.pH, i)), exactText(pointOr0(data.hydrogen, i)),
                    fitted ? exactText(emf - residual) : "", fitted ? exactText(residual) : ""});
    }
    return out + "</table>\n";
}

std::string adjustmentSection(const Session& session)
{
    const AdjustmentData& data = session.adjustment();
    const AdjustmentReport adjusted = session.adjust();
    std::string out =
        "<h2>Adjusted data</h2>\n<table>\n" + labelled("Data file", session.captions().fileName[1]) + "</table>\n";
    if (adjusted.failedPoint != 0)
        out +=
            "<p class=\"failed\">The adjustment stopped at point " + std::to_string(adjusted.failedPoint) + ".</p>\n";
    out += "<table>\n" + row({"Point", "Volume (ml)", "Measured emf (mV)", "Adjusted emf (mV)"}, "th");
    for (std::int32_t i = 1; i <= data.count; ++i) {
        const auto k = static_cast<std::size_t>(i - 1);
        out += row({std::to_string(i), exactText(pointOr0(data.volume, i)), exactText(pointOr0(data.emf, i)),
                    k < adjusted.texts.size() ? adjusted.texts[k] : ""});
    }
    return out + "</table>\n";
}

}  // namespace

std::string calibrationReportHtml(const Session& session, const ReportContext& context)
{
    const Captions& captions = session.captions();
    const bool calibrationFile = captions.fileName[0] != Captions::kNone;
    const std::optional<FitResult>& fit = session.lastFit();

    std::string out = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
                      "<title>Quorlin calibration report</title>\n<style>"
                      + std::string(kStyle) + "</style>\n</head>\n<body>\n<h1>Quorlin calibration report</h1>\n";
    out += "<table>\n" + labelled("Program", "Quorlin " + context.version) + labelled("Date and time", context.dateTime)
           + labelled("Calibration file", calibrationFile ? captions.fileName[0] : "none")
           + labelled("Acid concentration (mol/L)", session.constantTexts()[0])
           + labelled("Initial volume (ml)", session.constantTexts()[1]) + "</table>\n";

    out += "<h2>Calibration</h2>\n";
    if (fit)
        out += parameterTable(session, *fit);
    else
        out += "<p class=\"failed\">No calibration has converged: there are no parameters to report.</p>\n";

    if (calibrationFile) {
        SvgSurface plot(kPlotWidth, kPlotHeight);
        drawCalibrationPlots(plot, session);
        out += "<div class=\"plot\">\n" + plot.element() + "</div>\n";
    }
    out += "<h2>Points</h2>\n" + pointTable(session.calibration(), fit.has_value());
    if (captions.fileName[1] != Captions::kNone && session.canAdjust()) out += adjustmentSection(session);
    return out + "</body>\n</html>\n";
}

}  // namespace quorlin
