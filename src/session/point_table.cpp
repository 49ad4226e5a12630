#include "point_table.h"

#include "text/number_text.h"

#include <bit>
#include <cstdint>

namespace quorlin {

std::string shownText(const PointSet& points, const TypedTexts& typed, PointCell cell)
{
    if (const auto at = typed.find(cell); at != typed.end()) return at->second;
    return pointNumberText(pointOr0(pointColumn(points, cell.col), cell.row));
}

PointArray& pointColumn(PointSet& points, int col) { return col == 1 ? points.volume : points.emf; }

const PointArray& pointColumn(const PointSet& points, int col) { return col == 1 ? points.volume : points.emf; }

bool sameBits(Number a, Number b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }

bool samePoints(const PointSet& a, const PointSet& b)
{
    if (a.count != b.count) return false;
    for (std::int32_t i = 1; i <= a.count; ++i)
        if (!sameBits(pointOr0(a.volume, i), pointOr0(b.volume, i))
            || !sameBits(pointOr0(a.emf, i), pointOr0(b.emf, i)))
            return false;
    return true;
}

}  // namespace quorlin
