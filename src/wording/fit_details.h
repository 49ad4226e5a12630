#pragma once

#include "core/fit.h"
#include "core/fit_statistics.h"

#include <array>
#include <string>
#include <string_view>

namespace quorlin {

// The parameters' names with their units, Ezero first, as the report and the Fit details
// dialog head their rows.
inline constexpr std::array<std::string_view, 3> kParameterNames{"Ezero (mV)", "Slope (mV/pH)", "j corr (mV·L/mol)"};

inline constexpr std::string_view kPrecisionWarningStart = "Single precision misleads";

// When the single-precision fit lies more than a tenth of a standard deviation from the
// double-precision optimum, a line that says so and gives both; "" when it does not.
std::string precisionWarning(const FitResult& fit, const FitStatistics& statistics);

}  // namespace quorlin
