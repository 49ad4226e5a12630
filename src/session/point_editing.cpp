#include "point_editing.h"

#include <algorithm>

namespace quorlin {

std::int32_t insertZeroPoint(PointSet& points, std::int32_t currentRow)
{
    const std::int32_t count = points.count = std::max(points.count, 0) + 1;
    resizeKeeping(points.volume, count);
    resizeKeeping(points.emf, count);
    const std::int32_t r = count == 1 ? 1 : std::min(std::max(currentRow, 0) + 1, count);
    for (std::int32_t i = count; i > r; --i) {
        points.volume[static_cast<std::size_t>(i)] = points.volume[static_cast<std::size_t>(i - 1)];
        points.emf[static_cast<std::size_t>(i)] = points.emf[static_cast<std::size_t>(i - 1)];
    }
    // A whole-number zero does not make later arithmetic double precision.
    points.volume[static_cast<std::size_t>(r)] = Number::fromSingle(0.0f);
    points.emf[static_cast<std::size_t>(r)] = Number::fromSingle(0.0f);
    return r;
}

void removePoint(PointSet& points, std::int32_t row)
{
    if (points.count <= 0) return;
    for (std::int32_t i = std::max(row, 0) + 1; i <= points.count; ++i) {
        points.volume[static_cast<std::size_t>(i - 1)] = points.volume[static_cast<std::size_t>(i)];
        points.emf[static_cast<std::size_t>(i - 1)] = points.emf[static_cast<std::size_t>(i)];
    }
    points.count -= 1;
}

}  // namespace quorlin
