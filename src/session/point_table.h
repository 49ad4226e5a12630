#pragma once

#include "core/data_sets.h"

#include <compare>
#include <cstdint>
#include <map>
#include <string>

namespace quorlin {

// A cell of a point column: row 1.. is the point, column 1 its volume, 2 its emf.
struct PointCell {
    std::int32_t row = 0;
    int col = 0;

    auto operator<=>(const PointCell&) const = default;
};

// Texts typed into point cells. A cell shows, and a save writes, its typed text until an
// insertion, deletion or paste lays the points out anew; the others show their values.
using TypedTexts = std::map<PointCell, std::string>;

// The text a point cell shows: its typed text, or the point number text of its value.
std::string shownText(const PointSet& points, const TypedTexts& typed, PointCell cell);

// The volume (column 1) or emf (column 2) array.
PointArray& pointColumn(PointSet& points, int col);
const PointArray& pointColumn(const PointSet& points, int col);

// Bit for bit: a typed 227.28 is not the 227.28 of a file, as the fit reads them.
bool sameBits(Number a, Number b);
// The same count and the same points; slots past the count do not count.
bool samePoints(const PointSet& a, const PointSet& b);

}  // namespace quorlin
