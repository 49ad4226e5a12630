#pragma once

#include "plot/surface.h"
#include "text/number_text.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorlin {

// One quantity against time with the band its limits allow.
struct TrendSeries {
    std::string title;
    std::string axisTitle;
    std::vector<double> values;  // one per time; a value that is no number is left out
    std::optional<double> low;
    std::optional<double> high;
};

// Up to four series in a two-by-two grid, each against `times` (one per value, in any unit) under an x
// axis titled `timeTitle`. Each value is a cross joined to the next by a line; the limits
// are grey lines across the plot, and the y range takes them in.
void drawTrendPlots(Surface& surface, const std::vector<double>& times, const std::vector<TrendSeries>& series,
                    std::string_view timeTitle, const RegionalSettings& regional);

}  // namespace quorlin
