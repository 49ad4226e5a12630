#pragma once

#include "core/fit.h"
#include "core/fit_statistics.h"
#include "session/data_set_states.h"
#include "session/included_points.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quorlin {

// One converged calibration, made once and never changed: the data it fitted, where they
// came from, when, and what the fit and its statistics gave. Every view of a calibration
// (captions, plots, details, reports, the adjustment) reads one record, so none can show
// results that belong to other data.
struct CalibrationRecord {
    // The data as fitted; with no point left out they carry their model values.
    std::shared_ptr<const CalibrationState> input;
    std::optional<std::string> file;
    std::chrono::system_clock::time_point time;
    FitResult fit;
    std::optional<FitStatistics> statistics;
    // With points left out: the fitted ones, numbered as in the fit, with their residuals,
    // and every point with its model values and residual, for the views.
    std::optional<IncludedPoints> included;
    std::optional<CalibrationData> spread;
    // With none left out: every point's residual, where the caller asked for them.
    PointArray residual;

    // The points the fit used, numbered as in the fit, and their residuals.
    const CalibrationData& fittedData() const { return included ? included->data : input->data; }
    const PointArray& fittedResiduals() const { return included ? included->data.residual : residual; }
    // Every point, left out or not, with its model values, and its residual.
    const CalibrationData& allPoints() const { return spread ? *spread : input->data; }
    const PointArray& allResiduals() const { return spread ? spread->residual : residual; }
    const std::vector<std::int32_t>& leftOut() const { return input->exclusions.points(); }
    // The fit's number of point `row` as the data number it; 0 for a point left out.
    std::int32_t fittedPoint(std::int32_t row) const;
    // The data's number of the fit's point `point`.
    std::int32_t dataRow(std::int32_t point) const { return included ? included->row(point) : point; }
    // Point `row`'s value in one of the statistics' per-point vectors, as the data number
    // it; NaN for a point left out or without them.
    double pointStatistic(std::vector<double> FitStatistics::*values, std::int32_t row) const;
    double studentizedResidual(std::int32_t row) const { return pointStatistic(&FitStatistics::studentized, row); }
    // What the outlier test says of point `row` when it singles the point out.
    std::optional<OutlierCandidate> outlierCandidate(std::int32_t row) const;
};

}  // namespace quorlin
