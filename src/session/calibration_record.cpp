#include "calibration_record.h"

#include <algorithm>
#include <limits>

namespace quorlin {

std::int32_t CalibrationRecord::fittedPoint(std::int32_t row) const
{
    if (!included) return row;
    const std::vector<std::int32_t>& rows = included->rows;
    const auto at = std::lower_bound(rows.begin(), rows.end(), row);
    return at != rows.end() && *at == row ? static_cast<std::int32_t>(at - rows.begin()) + 1 : 0;
}

double CalibrationRecord::pointStatistic(std::vector<double> FitStatistics::*values, std::int32_t row) const
{
    const std::int32_t k = fittedPoint(row);
    if (!statistics || k < 1 || static_cast<std::size_t>(k) > ((*statistics).*values).size())
        return std::numeric_limits<double>::quiet_NaN();
    return ((*statistics).*values)[static_cast<std::size_t>(k - 1)];
}

std::optional<OutlierCandidate> CalibrationRecord::outlierCandidate(std::int32_t row) const
{
    const std::int32_t k = fittedPoint(row);
    if (!statistics || k < 1) return std::nullopt;
    const std::vector<OutlierCandidate>& outliers = statistics->outliers;
    const auto at = std::lower_bound(outliers.begin(), outliers.end(), k,
                                     [](const OutlierCandidate& c, std::int32_t point) { return c.point < point; });
    if (at == outliers.end() || at->point != k) return std::nullopt;
    return *at;
}

}  // namespace quorlin
