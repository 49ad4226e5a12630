#pragma once

#include "core/adjustment.h"
#include "text/number_text.h"

#include <string>

namespace quorlin {

// What marks adjusted values as doubtful, in words, for the status line, quorlin-cli and
// the report: "3 adjusted values lie outside the calibrated emf range; 1 reading has no
// pH in 0–14 and is adjusted as at pH 0"; "" when nothing is flagged.
std::string adjustmentFlagsText(const AdjustmentFlags& flags, const RegionalSettings& regional);

// What marks one adjusted value, for its cell: "outside the calibrated emf range", ...,
// joined by "; "; "" when nothing does.
std::string readingFlagsText(ReadingFlags flags, const AdjustmentFlags& all);

}  // namespace quorlin
