#pragma once

#include "core/number.h"

#include <string>
#include <string_view>

namespace quorlin {

// The user's regional number convention, filled by the window from the system locale
// at start-up (and by quorlin-cli from LC_NUMERIC). Without such settings a point
// is the decimal separator and a comma the grouping symbol.
struct RegionalSettings {
    char decimalSeparator = '.';
    char groupingSymbol = ',';
};

// What a typed text gave: the number, and whether the text was a number too large for
// single precision (the caller says so; the number is then empty).
struct NumberEntry {
    Number number;
    bool outOfRange = false;

    // Whether the text was a number; otherwise the value is what the lenient reading of
    // its leading part gave, or nothing.
    bool wasNumber() const { return number.isSingle(); }
};

// The text without the spaces around it.
std::string_view trimSpaces(std::string_view text);

// Swaps the first point for a comma (or the first comma for a point) so that the first
// of either is the decimal separator in any regional convention.
std::string fixDecimalSeparator(std::string_view text, const RegionalSettings& regional);

// Every typed number goes through here: single precision when the text is a number,
// the double value of its leading numeric part when it is not, no value beyond range.
// A number is blanks, an optional sign, digits (grouping symbols allowed only between
// integer digits), the regional decimal separator, digits, an optional exponent, blanks.
// Magnitudes too small for the type read as 0; a leading numeric part beyond double
// range is out of range like a number beyond single range.
NumberEntry textToNumber(std::string_view text, const RegionalSettings& regional);

// formatNumber(value, pattern) with the program's display patterns, halves away from zero,
// the regional decimal separator and never a grouping symbol.
std::string formatNumber(double value, std::string_view pattern, const RegionalSettings& regional);
// formatNumber(value, "###0.00", regional) appended to `out`: the same bytes without the
// temporaries of the general way, for a million adjusted values.
void appendTwoDecimalText(std::string& out, double value, const RegionalSettings& regional);

// The shortest text that reads back as exactly the value, in its own precision: for
// records (JSON, CSV, reports) where a display pattern would lose bits. Always a point.
std::string roundTripText(float value);
std::string roundTripText(double value);
// The same texts appended to `out`, for records of a million numbers.
void appendRoundTripText(std::string& out, float value);
void appendRoundTripText(std::string& out, double value);

// The text of a number where no pattern is given (grid cells, constants after a load):
// leading blank for non-negative values, always a point, 7 significant digits for a
// single-precision value and 15 for a double.
std::string pointNumberText(Number value);
// pointNumberText(value) appended to `out`, likewise.
void appendPointNumberText(std::string& out, Number value);

}  // namespace quorlin
