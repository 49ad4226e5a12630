#pragma once

#include "data_sets.h"
#include "fit.h"
#include "runs_test.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace quorlin {

// A symmetric 3×3 matrix over Ezero, Slope and j corr in slots 1..3, like the parameters.
using ParameterMatrix = std::array<std::array<double, 4>, 4>;

// A fitted point that the outlier test singles out, numbered as in the fit, with its
// Bonferroni-adjusted p.
struct OutlierCandidate {
    std::int32_t point = 0;
    double p = 1.0;
};

// What the single-precision fit does not say, all in double precision: the model is
// linear in its three parameters, so an orthogonal solve gives the least-squares optimum
// exactly, and its covariance the usual textbook statistics.
struct FitStatistics {
    // The points determine the parameters when the smallest singular value of the design
    // (1, −pH, [H+]), its columns scaled to unit length, is above this share of the largest.
    static constexpr double kRankTolerance = 1e-10;
    // A deviation s at or below this share of the largest |emf| is rounding: an exact fit.
    static constexpr double kExactFitTolerance = 1e-12;
    // A leverage this close to 1 is 1: the point is fitted exactly, whatever its emf.
    static constexpr double kFullLeverageTolerance = 1e-10;
    static constexpr double kOutlierLevel = 0.05;
    static constexpr double kShiftLimit = 0.1;

    std::int32_t points = 0;
    // False: nothing below holds a value but the per-point vectors, all NaN.
    bool identifiable = true;
    bool exactFit = false;
    double deviation = 0.0;              // s, with n − 3 degrees of freedom
    std::array<double, 4> parameters{};  // the double-precision optimum
    std::array<double, 4> sigma{};       // its standard deviations
    ParameterMatrix covariance{};
    ParameterMatrix correlation{};
    std::array<double, 4> ci95{};  // half-widths of the 95% confidence intervals
    // The distance of the single-precision parameters from the optimum: the largest of
    // the three in their own σ, and the joint √(dᵀC⁻¹d). NaN for an exact fit.
    double maxSigmaShift = 0.0;
    double jointShift = 0.0;

    // Per fitted point, in order; NaN where undefined. Internally studentised residuals
    // divide by s, externally studentised ones by s with the point itself left out.
    // Empty when only the parameters' statistics were asked for.
    std::vector<double> studentized;
    std::vector<double> externallyStudentized;
    std::vector<double> leverage;
    std::vector<double> cooksDistance;
    std::vector<OutlierCandidate> outliers;
    std::optional<RunsTest> runs;  // of the residual signs; none for an exact fit

    bool singlePrecisionMisleads() const { return jointShift > kShiftLimit; }
    double influenceLimit() const { return 4.0 / points; }
    bool influential(double cooksDistance) const { return cooksDistance > influenceLimit(); }
};

enum class StatisticsScope { Parameters, EveryPoint };

// The statistics of a converged fit to `data` (its model values current); none when the
// points leave no degree of freedom or are not finite. The parameters' part reads every
// point once and keeps none; every point's part keeps a few numbers for each.
std::optional<FitStatistics> computeFitStatistics(const CalibrationData& data, const FitResult& fit,
                                                  StatisticsScope scope = StatisticsScope::EveryPoint);

// n·2·P(T > |t|), T Student's t with n − 4 degrees of freedom, at most 1: the chance that
// the largest of n externally studentised residuals is as large as t.
double bonferroniP(double t, std::int32_t n);

}  // namespace quorlin
