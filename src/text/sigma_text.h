#pragma once

#include "text/number_text.h"

#include <string>
#include <string_view>

namespace quorlin {

// x (a standard deviation, finite and not negative) rounded to one significant figure
// and shown with just enough decimals for that figure: 0.0234 gives 0.02, 0.096 gives
// 0.10, 3.7 gives 4.0. Zero gives "0".
std::string oneFigureText(double x, const RegionalSettings& regional);

// The pattern "###0." followed by as many "0" as s has characters beyond two, so that a
// value is shown to the last decimal of its deviation text s.
std::string decimalsPatternFor(std::string_view s);

// The caption of a fitted parameter: the value to the decimals of sigmaText (the
// oneFigureText of sigma), "±", and the deviation, cut to a whole number once sigma is 1
// or more: 412.35±0.02, 57.1±4, 57.12±15. A zero deviation shows the value with two
// decimals and ±0.
std::string parameterCaption(double value, double sigma, std::string_view sigmaText, const RegionalSettings& regional);

}  // namespace quorlin
