#pragma once

#include "core/workspace.h"

#include <cstdint>

namespace quorlin {

// Puts a zero point after point `currentRow` (first when the set was empty), growing
// both arrays by one slot; returns the new point's index.
std::int32_t insertZeroPoint(std::int32_t& count, PointArray& volume, PointArray& emf, std::int32_t currentRow);

// Removes point `row` (point 1 when row is 0) by shifting the later points down; the
// arrays keep their size, so slots above the count may hold stale points. Does nothing
// to an empty set.
void removePoint(std::int32_t& count, PointArray& volume, PointArray& emf, std::int32_t row);

}  // namespace quorlin
