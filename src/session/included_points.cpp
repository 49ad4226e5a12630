#include "included_points.h"

#include "core/fit.h"
#include "core/initial_values.h"

#include <initializer_list>

namespace quorlin {

namespace {

CalibrationData emptyTitration(const CalibrationData& all, std::int32_t count)
{
    CalibrationData data;
    data.acidConcentration = all.acidConcentration;
    data.initialVolume = all.initialVolume;
    data.count = count;
    reallocateFresh(data.volume, count);
    reallocateFresh(data.emf, count);
    return data;
}

void copyPoint(const PointSet& from, std::int32_t i, PointSet& to, std::int32_t k)
{
    to.volume[static_cast<std::size_t>(k)] = pointOr0(from.volume, i);
    to.emf[static_cast<std::size_t>(k)] = pointOr0(from.emf, i);
}

void copyModelValues(const CalibrationData& from, std::int32_t k, CalibrationData& to, std::int32_t i)
{
    const auto at = static_cast<std::size_t>(i);
    to.pH[at] = pointOr0(from.pH, k);
    to.hydrogen[at] = pointOr0(from.hydrogen, k);
    to.residual[at] = pointOr0(from.residual, k);
}

}  // namespace

IncludedPoints includedPoints(const CalibrationData& all, const PointExclusions& excluded)
{
    IncludedPoints included;
    for (std::int32_t i = 1; i <= all.count; ++i)
        if (!excluded.contains(i)) included.rows.push_back(i);
    included.data = emptyTitration(all, static_cast<std::int32_t>(included.rows.size()));
    for (std::int32_t k = 1; k <= included.data.count; ++k) copyPoint(all, included.row(k), included.data, k);
    return included;
}

void spreadModelValues(CalibrationData& all, const IncludedPoints& included, const ElectrodeParameters& p)
{
    for (PointArray* values : {&all.pH, &all.hydrogen, &all.residual}) reallocateFresh(*values, all.count);
    for (std::int32_t k = 1; k <= included.data.count; ++k) copyModelValues(included.data, k, all, included.row(k));
    std::size_t next = 0;
    for (std::int32_t i = 1; i <= all.count; ++i) {
        if (next < included.rows.size() && included.rows[next] == i) {
            ++next;
            continue;
        }
        CalibrationData alone = emptyTitration(all, 1);
        copyPoint(all, i, alone, 1);
        // One point has no starting line; its model values are made all the same.
        computeInitialValues(alone);
        sumOfSquaredResiduals(alone, p);
        copyModelValues(alone, 1, all, i);
    }
}

}  // namespace quorlin
