#include "fit_details.h"

#include "text/number_text.h"

namespace quorlin {

std::string precisionWarning(const FitResult& fit, const FitStatistics& statistics)
{
    if (!statistics.singlePrecisionMisleads()) return {};
    std::string text = std::string(kPrecisionWarningStart) + ": the fit lies " + roundTripText(statistics.maxSigmaShift)
                       + " σ from the optimum.";
    const char* names[] = {"Ezero", "Slope", "j corr"};
    for (std::size_t k = kEzero; k <= kJcorr; ++k)
        text += std::string(k == kEzero ? " " : "; ") + names[k - 1] + " " + roundTripText(fit.parameters[k])
                + " (double: " + roundTripText(statistics.parameters[k]) + ")";
    return text;
}

}  // namespace quorlin
