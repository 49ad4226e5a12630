#include "point_editing.h"

#include <algorithm>
#include <initializer_list>

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

std::int32_t storePoints(PointSet& points, std::int32_t first, const std::vector<Number>& volume,
                         const std::vector<Number>& emf)
{
    first = std::clamp(first, 1, std::max(points.count, 0) + 1);
    const auto last = first + static_cast<std::int32_t>(volume.size()) - 1;
    points.count = std::max(points.count, last);
    // Slots beyond the count may exist already, holding points deleted before.
    for (PointArray* array : {&points.volume, &points.emf})
        if (array->size() <= static_cast<std::size_t>(last)) resizeKeeping(*array, last);
    for (std::size_t i = 0; i < volume.size(); ++i) {
        const auto slot = static_cast<std::size_t>(first) + i;
        points.volume[slot] = volume[i];
        points.emf[slot] = emf[i];
    }
    return first;
}

}  // namespace quorlin
