#pragma once

#include "data_sets.h"
#include "fit.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

namespace quorlin {

// A symmetric 3×3 matrix over Ezero, Slope and j corr in slots 1..3, like the parameters.
using ParameterMatrix = std::array<std::array<double, 4>, 4>;

// What the single-precision fit does not say, all in double precision: the model is
// linear in its three parameters, so an orthogonal solve gives the least-squares optimum
// exactly, and its covariance the usual textbook statistics.
struct FitStatistics {
    static constexpr double kOutlierLimit = 3.0;
    static constexpr double kShiftLimit = 0.1;

    std::int32_t points = 0;
    std::array<double, 4> parameters{};  // the double-precision optimum
    std::array<double, 4> sigma{};       // its standard deviations
    ParameterMatrix covariance{};
    ParameterMatrix correlation{};
    std::array<double, 4> ci95{};  // half-widths of the 95% confidence intervals
    // Internally studentised residual of each fitted point, in order.
    std::vector<double> studentized;
    // The largest distance of a single-precision parameter from the optimum, in its
    // standard deviations.
    double maxSigmaShift = 0.0;

    bool singlePrecisionMisleads() const { return !(maxSigmaShift <= kShiftLimit); }
    static bool isOutlier(double studentized) { return std::abs(studentized) > kOutlierLimit; }
};

// The statistics of a converged fit to `data` (its model values current); none when the
// points leave no degree of freedom or do not determine the parameters.
std::optional<FitStatistics> computeFitStatistics(const CalibrationData& data, const FitResult& fit);

}  // namespace quorlin
