#include "calibration_record.h"

#include <algorithm>
#include <limits>

namespace quorlin {

double CalibrationRecord::studentizedResidual(std::int32_t row) const
{
    std::int32_t k = row;
    if (included) {
        const std::vector<std::int32_t>& rows = included->rows;
        const auto at = std::lower_bound(rows.begin(), rows.end(), row);
        k = at != rows.end() && *at == row ? static_cast<std::int32_t>(at - rows.begin()) + 1 : 0;
    }
    if (!statistics || k < 1 || static_cast<std::size_t>(k) > statistics->studentized.size())
        return std::numeric_limits<double>::quiet_NaN();
    return statistics->studentized[static_cast<std::size_t>(k - 1)];
}

}  // namespace quorlin
