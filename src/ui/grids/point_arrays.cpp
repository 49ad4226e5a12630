#include "ui/grids/point_arrays.h"

#include <algorithm>

namespace quorlin {

std::int32_t insertZeroPoint(std::int32_t& count, PointArray& volume, PointArray& emf, std::int32_t currentRow)
{
    count = std::max(count, 0) + 1;
    resizeKeeping(volume, count);
    resizeKeeping(emf, count);
    const std::int32_t r = count == 1 ? 1 : std::min(std::max(currentRow, 0) + 1, count);
    for (std::int32_t i = count; i > r; --i) {
        volume[static_cast<std::size_t>(i)] = volume[static_cast<std::size_t>(i - 1)];
        emf[static_cast<std::size_t>(i)] = emf[static_cast<std::size_t>(i - 1)];
    }
    // A whole-number zero does not make later arithmetic double precision.
    volume[static_cast<std::size_t>(r)] = Number::fromSingle(0.0f);
    emf[static_cast<std::size_t>(r)] = Number::fromSingle(0.0f);
    return r;
}

void removePoint(std::int32_t& count, PointArray& volume, PointArray& emf, std::int32_t row)
{
    if (count <= 0) return;
    for (std::int32_t i = std::max(row, 0) + 1; i <= count; ++i) {
        volume[static_cast<std::size_t>(i - 1)] = volume[static_cast<std::size_t>(i)];
        emf[static_cast<std::size_t>(i - 1)] = emf[static_cast<std::size_t>(i)];
    }
    count -= 1;
}

}  // namespace quorlin
