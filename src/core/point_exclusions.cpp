#include "point_exclusions.h"

#include <algorithm>

namespace quorlin {

bool PointExclusions::contains(std::int32_t point) const
{
    return std::binary_search(points_.begin(), points_.end(), point);
}

void PointExclusions::toggle(std::int32_t point)
{
    const auto at = std::lower_bound(points_.begin(), points_.end(), point);
    if (at != points_.end() && *at == point)
        points_.erase(at);
    else
        points_.insert(at, point);
}

void PointExclusions::pointInserted(std::int32_t point)
{
    for (std::int32_t& p : points_)
        if (p >= point) ++p;
}

void PointExclusions::pointRemoved(std::int32_t point)
{
    std::erase(points_, point);
    for (std::int32_t& p : points_)
        if (p > point) --p;
}

}  // namespace quorlin
