#pragma once

#include "core/data_sets.h"
#include "core/point_exclusions.h"

#include <cstdint>
#include <vector>

namespace quorlin {

// The calibration points a fit uses when some are left out: a titration of its own,
// numbered 1.. as if the others had been deleted, and each one's number in the grid.
struct IncludedPoints {
    CalibrationData data;
    std::vector<std::int32_t> rows;  // index k - 1 for included point k

    std::int32_t row(std::int32_t point) const { return rows[static_cast<std::size_t>(point - 1)]; }
};

IncludedPoints includedPoints(const CalibrationData& all, const PointExclusions& excluded);

// Every point's model values and residual at `p` for the window and the plots, the
// excluded points' too: the included ones are taken from the fit, each excluded one
// is modelled alone, so that a point the model cannot handle spoils only itself.
void spreadModelValues(CalibrationData& all, const IncludedPoints& included, const ElectrodeParameters& p);

}  // namespace quorlin
