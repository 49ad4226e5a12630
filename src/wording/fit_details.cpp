#include "fit_details.h"

#include "text/number_text.h"

#include <cstdio>

namespace quorlin {

namespace {

std::string significant(double value, int digits)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.*g", digits, value);
    return text;
}

}  // namespace

std::string precisionWarning(const FitResult& fit, const FitStatistics& statistics)
{
    if (!statistics.singlePrecisionMisleads()) return {};
    // The single parameters exactly as fitted, the optimum to as many digits as tell them apart.
    std::string text = std::string(kPrecisionWarningStart) + ": the fit lies "
                       + significant(statistics.maxSigmaShift, 3) + " σ from the optimum.";
    const char* names[] = {"Ezero", "Slope", "j corr"};
    for (std::size_t k = kEzero; k <= kJcorr; ++k)
        text += std::string(k == kEzero ? " " : "; ") + names[k - 1] + " " + roundTripText(fit.parameters[k])
                + " (double: " + significant(statistics.parameters[k], 10) + ")";
    return text;
}

}  // namespace quorlin
