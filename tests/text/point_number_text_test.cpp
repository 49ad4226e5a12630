#include "text/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace quorlin {
namespace {

Number s(float v) { return Number::fromSingle(v); }
Number d(double v) { return Number::fromDouble(v); }

void expectTexts(std::initializer_list<std::pair<Number, std::string_view>> examples)
{
    for (const auto& [number, text] : examples) EXPECT_EQ(pointNumberText(number), text) << text;
}

TEST(pointNumberText, SignBlankAndNoLeadingZero)
{
    expectTexts({{d(0.5), " .5"}, {d(-0.25), "-.25"}, {d(50), " 50"}, {d(3), " 3"}, {d(-2.5), "-2.5"}, {d(0), " 0"},
                 {d(-0.0), " 0"}, {Number(), " 0"}});
}

TEST(pointNumberText, SevenSignificantDigitsForSingleAndFifteenForDouble)
{
    expectTexts({
        {s(0.1f), " .1"}, {d(0.1), " .1"}, {d(static_cast<double>(0.1f)), " .100000001490116"},
        {d(1.0 / 3.0), " .333333333333333"}, {s(1.0f / 3.0f), " .3333333"}, {s(2.0f / 3.0f), " .6666667"},
        {d(2.0 / 3.0), " .666666666666667"}, {s(1234567.0f), " 1234567"}, {s(123.456f), " 123.456"},
        {d(412.3456), " 412.3456"},
        // Halves away from zero on the exact value: 1234568.5 is a single exactly.
        {s(1234568.5f), " 1234569"}, {s(-1234568.5f), "-1234569"},
        // A double that is a tie at its sixteenth digit (a fuzzing case).
        {d(-0.1240081787109375), "-.124008178710938"}});
}

TEST(pointNumberText, ExponentFormForLargeAndSmallMagnitudes)
{
    expectTexts({
        {d(0.00001), " 1E-05"}, {d(0.0001), " .0001"}, {d(0.000099999), " 9.9999E-05"}, {d(1.5e20), " 1.5E+20"},
        {d(-1.5e20), "-1.5E+20"}, {d(std::numeric_limits<double>::max()), " 1.79769313486232E+308"}, {d(1e15), " 1E+15"}, {d(999999999999999.0), " 999999999999999"},
        // Rounding to 15 digits reaches 1E15 and so the exponent form.
        {d(999999999999999.9), " 1E+15"}, {s(1e7f), " 1E+07"}, {s(9999999.0f), " 9999999"},
        {s(12345678.0f), " 1.234568E+07"}, {d(1e-300), " 1E-300"}, {d(-1e308), "-1E+308"}});
}

TEST(pointNumberText, NonFiniteValuesGiveDefinedTexts)
{
    const double inf = std::numeric_limits<double>::infinity();
    expectTexts({{d(inf), " Infinity"}, {d(-inf), "-Infinity"}, {d(std::nan("")), " NaN"},
                 {d(std::numeric_limits<double>::denorm_min()), " 4.94065645841247E-324"}});
}

}  // namespace
}  // namespace quorlin
