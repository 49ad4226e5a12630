#pragma once

#include <cstdint>

namespace quorlin {

// significand * 10^exponent, the significand without trailing zeros.
struct ShortestDigits {
    std::uint64_t significand = 0;
    int exponent = 0;
};

// The fewest decimal digits that read back as exactly |value| (finite, not zero) in its
// own precision; of several such, the one nearest the value, a tie going to the even one.
ShortestDigits shortestDigits(double value);
ShortestDigits shortestDigits(float value);

}  // namespace quorlin
