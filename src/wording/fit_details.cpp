#include "fit_details.h"

#include "text/number_text.h"
#include "translatable.h"

#include <algorithm>
#include <cstdio>

namespace quorlin {

namespace {

constexpr std::size_t kListedPoints = 10;

std::string significant(double value, int digits)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.*g", digits, value);
    return text;
}

std::string shown(double value, const RegionalSettings& regional)
{
    std::string text = significant(value, 3);
    std::replace(text.begin(), text.end(), '.', regional.decimalSeparator);
    return text;
}

// "point 4 (…), point 9 (…)", the first ten, then how many more; "none" for no point.
template <typename Describe>
std::string pointList(const std::vector<std::int32_t>& points, const Describe& describe)
{
    if (points.empty()) return QUORLIN_TRANSLATE_NOOP("FitDetails", "none");
    std::string text;
    for (std::size_t i = 0; i < std::min(points.size(), kListedPoints); ++i)
        text += (i == 0 ? "" : ", ") + std::string(QUORLIN_TRANSLATE_NOOP("FitDetails", "point "))
                + std::to_string(points[i]) + " (" + describe(points[i]) + ")";
    if (points.size() > kListedPoints)
        text += QUORLIN_TRANSLATE_NOOP("FitDetails", ", and ") + std::to_string(points.size() - kListedPoints)
                + QUORLIN_TRANSLATE_NOOP("FitDetails", " more");
    return text;
}

}  // namespace

std::string precisionWarning(const FitResult& fit, const FitStatistics& statistics)
{
    if (!statistics.singlePrecisionMisleads()) return {};
    // The single parameters exactly as fitted, the optimum to as many digits as tell them apart.
    std::string text = std::string(kPrecisionWarningStart) + ": the fit lies " + significant(statistics.jointShift, 3)
                       + " σ from the optimum.";
    const char* names[] = {"Ezero", "Slope", "j corr"};
    for (std::size_t k = kEzero; k <= kJcorr; ++k)
        text += std::string(k == kEzero ? " " : "; ") + names[k - 1] + " " + roundTripText(fit.parameters[k])
                + " (double: " + significant(statistics.parameters[k], 10) + ")";
    return text;
}

std::vector<std::string> fitWarnings(const FitResult& fit, const FitStatistics& statistics)
{
    std::vector<std::string> warnings;
    if (!statistics.identifiable)
        warnings.emplace_back(QUORLIN_TRANSLATE_NOOP(
            "FitDetails", "Undetermined fit: the points do not determine Ezero, Slope and j corr, so the values and "
                          "standard deviations shown mean nothing; calibrate with points at more different volumes."));
    if (std::string warning = precisionWarning(fit, statistics); !warning.empty()) warnings.push_back(warning);
    return warnings;
}

std::string_view exactFitNote()
{
    return QUORLIN_TRANSLATE_NOOP("FitDetails", "Exact fit: the residuals are at rounding level, so there are no "
                                                "studentised residuals, Cook's distances, outlier test, runs test or "
                                                "precision check.");
}

StatisticLine outlierLine(const CalibrationRecord& record, const RegionalSettings& regional)
{
    std::vector<std::int32_t> rows;
    for (const OutlierCandidate& c : record.statistics->outliers) rows.push_back(record.dataRow(c.point));
    return {QUORLIN_TRANSLATE_NOOP(
                "FitDetails", "Outlier candidates (externally studentised residual, Bonferroni-adjusted p < 0.05)"),
            pointList(rows, [&](std::int32_t row) {
                return "t = " + shown(record.pointStatistic(&FitStatistics::externallyStudentized, row), regional)
                       + ", p = " + shown(record.outlierCandidate(row)->p, regional);
            })};
}

StatisticLine influenceLine(const CalibrationRecord& record, const RegionalSettings& regional)
{
    const FitStatistics& s = *record.statistics;
    std::vector<std::int32_t> rows;
    for (std::size_t k = 0; k < s.cooksDistance.size(); ++k)
        if (s.influential(s.cooksDistance[k])) rows.push_back(record.dataRow(static_cast<std::int32_t>(k) + 1));
    return {QUORLIN_TRANSLATE_NOOP("FitDetails", "Influential points (Cook's distance > 4/n = ")
                + shown(s.influenceLimit(), regional) + ")",
            pointList(rows, [&](std::int32_t row) {
                return QUORLIN_TRANSLATE_NOOP("FitDetails", "leverage ")
                       + shown(record.pointStatistic(&FitStatistics::leverage, row), regional)
                       + QUORLIN_TRANSLATE_NOOP("FitDetails", ", Cook's distance ")
                       + shown(record.pointStatistic(&FitStatistics::cooksDistance, row), regional);
            })};
}

StatisticLine runsTestLine(const RunsTest& test, const RegionalSettings& regional)
{
    return {QUORLIN_TRANSLATE_NOOP("FitDetails", "Runs test on the residual signs (two-sided)"),
            std::to_string(test.runs) + QUORLIN_TRANSLATE_NOOP("FitDetails", " runs, p = ") + shown(test.p, regional)};
}

}  // namespace quorlin
