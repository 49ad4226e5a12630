#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace quorlin {

// The magnitude of a finite value as decimal digits: digits[0] stands at the place
// 10^exponent. No leading or trailing zeros; zero has no digits.
struct DecimalDigits {
    std::string digits;
    int exponent = 0;

    bool isZero() const { return digits.empty(); }
    // The digit at place 10^place, '0' outside the digits.
    char digitAt(int place) const;
};

// |value| (finite) rounded from its exact binary value to `significant` digits, halves
// away from zero, so that a tie is only a tie when the value really is one.
DecimalDigits roundedDigits(double value, int significant);

// The same rounding as a whole number of exactly `significant` digits (1..17), its first
// digit at the place 10^exponent, trailing zeros kept; worked out in integers without the
// text. Nothing for magnitudes (finite, positive) outside what that way can hold: 2^52
// and above, or so small that the scaling overflows; roundedDigits then takes another way.
struct RoundedInteger {
    std::uint64_t digits = 0;
    int exponent = 0;
};
std::optional<RoundedInteger> roundedInteger(double magnitude, int significant);

// The same from the value's full decimal expansion, for any finite value; roundedDigits
// takes a faster way where it can.
DecimalDigits exactRoundedDigits(double value, int significant);

// Keeps the first `count` digits, halves away from zero.
DecimalDigits roundToCount(DecimalDigits d, int count);

// Drops every digit below the place 10^lowestPlace, halves away from zero.
DecimalDigits roundToPlace(const DecimalDigits& d, int lowestPlace);

}  // namespace quorlin
