#pragma once

#include "data_sets.h"
#include "reading_inversion.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace quorlin {

// What marks adjusted values as doubtful: the flags of each adjusted point, in order, and
// the electrode function's turning point inside pH 0..14, if it has one.
struct AdjustmentFlags {
    std::vector<ReadingFlags> points;
    std::optional<TurningPoint> turn;
};

// The adjusted emf of points 1.. in order. When a point fails arithmetically (a
// non-finite emf or parameter, or an overflow in its inversion or adjusted value) the
// adjustment stops there: `adjusted` then holds the points before it and `failedPoint`
// names it (0 when all were adjusted). A point without a root in pH 0..14 is no
// failure: it is adjusted as if its pH were 0, and flagged.
struct AdjustmentResult {
    std::vector<double> adjusted;
    AdjustmentFlags flags;
    std::int32_t failedPoint = 0;
};

// Removes the j corr·[H+] term from every emf of the data, with the pH of each point
// found by inverting the calibrated electrode equation.
AdjustmentResult adjustData(const AdjustmentData& data, const ReadingInversion& inversion);

}  // namespace quorlin
