#pragma once

#include "core/data_sets.h"

#include <cstdint>
#include <vector>

namespace quorlin {

// Puts a zero point after point `currentRow` (first when the set was empty), growing
// both arrays by one slot; returns the new point's index.
std::int32_t insertZeroPoint(PointSet& points, std::int32_t currentRow);

// Removes point `row` (point 1 when row is 0) by shifting the later points down; the
// arrays keep their size, so slots above the count may hold stale points. Does nothing
// to an empty set.
void removePoint(PointSet& points, std::int32_t row);

// Puts the points at first, first + 1, ... (first clamped to 1..count + 1), replacing the
// points there and appending beyond the count; returns where they went.
std::int32_t storePoints(PointSet& points, std::int32_t first, const std::vector<Number>& volume,
                         const std::vector<Number>& emf);

}  // namespace quorlin
