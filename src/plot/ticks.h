#pragma once

#include "text/number_text.h"

#include <cstdint>
#include <string>

namespace quorlin {

// The spacing of ticks for the range a to b with at most n intervals: 1, 2 or 5 times a
// power of ten (20 in reserve), negative when a > b. A range wider than n times 2E21 is
// beyond the multipliers and gets more than n intervals.
double tickStep(double a, double b, std::int32_t n);

// The label of the tick at `value`, in a pattern chosen by the size of the step.
std::string tickLabelText(double value, double step, const RegionalSettings& regional);

}  // namespace quorlin
