#pragma once

#include "core/fit.h"
#include "core/fit_statistics.h"
#include "session/calibration_record.h"
#include "text/number_text.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace quorlin {

// The parameters' names with their units, Ezero first, as the report and the Fit details
// dialog head their rows.
inline constexpr std::array<std::string_view, 3> kParameterNames{"Ezero (mV)", "Slope (mV/pH)", "j corr (mV·L/mol)"};

inline constexpr std::string_view kPrecisionWarningStart = "Single precision misleads";

// When the single-precision fit lies more than a tenth of a standard deviation from the
// double-precision optimum, jointly over the three parameters, a line that says so and
// gives both; "" when it does not.
std::string precisionWarning(const FitResult& fit, const FitStatistics& statistics);

// Every warning on a fit, the most important first, each a plain sentence: that the
// points do not determine the parameters, that single precision misleads.
std::vector<std::string> fitWarnings(const FitResult& fit, const FitStatistics& statistics);

// Why an exact fit shows no studentised residuals and no tests.
std::string_view exactFitNote();

// A statistic of the fit as the Fit details dialog and the report show it: what it is,
// and what it says.
struct StatisticLine {
    std::string label;
    std::string value;
};

// The outlier candidates with their externally studentised residuals and adjusted p.
StatisticLine outlierLine(const CalibrationRecord& record, const RegionalSettings& regional);
// The points whose Cook's distance is above 4/n, with their leverage.
StatisticLine influenceLine(const CalibrationRecord& record, const RegionalSettings& regional);
// The runs test on the residual signs; none for an exact fit.
StatisticLine runsTestLine(const RunsTest& test, const RegionalSettings& regional);

}  // namespace quorlin
