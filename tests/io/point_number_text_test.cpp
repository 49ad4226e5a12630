#include "io/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace quorlin {
namespace {

std::string singleText(float v) { return PointNumberText(Number::fromSingle(v)); }
std::string doubleText(double v) { return PointNumberText(Number::fromDouble(v)); }

TEST(PointNumberText, SignBlankAndNoLeadingZero)
{
    EXPECT_EQ(doubleText(0.5), " .5");
    EXPECT_EQ(doubleText(-0.25), "-.25");
    EXPECT_EQ(doubleText(50), " 50");
    EXPECT_EQ(doubleText(3), " 3");
    EXPECT_EQ(doubleText(-2.5), "-2.5");
    EXPECT_EQ(doubleText(0), " 0");
    EXPECT_EQ(doubleText(-0.0), " 0");
    EXPECT_EQ(PointNumberText(Number()), " 0");
}

TEST(PointNumberText, SignificantDigitsFollowThePrecision)
{
    EXPECT_EQ(singleText(0.1f), " .1");
    EXPECT_EQ(doubleText(0.1), " .1");
    EXPECT_EQ(doubleText(static_cast<double>(0.1f)), " .100000001490116");
    EXPECT_EQ(doubleText(1.0 / 3.0), " .333333333333333");
    EXPECT_EQ(singleText(1.0f / 3.0f), " .3333333");
    EXPECT_EQ(singleText(2.0f / 3.0f), " .6666667");
    EXPECT_EQ(doubleText(2.0 / 3.0), " .666666666666667");
    EXPECT_EQ(singleText(1234567.0f), " 1234567");
    EXPECT_EQ(singleText(123.456f), " 123.456");
    EXPECT_EQ(doubleText(412.3456), " 412.3456");
    // Halves away from zero on the exact value: 1234568.5 is a single exactly.
    EXPECT_EQ(singleText(1234568.5f), " 1234569");
    EXPECT_EQ(singleText(-1234568.5f), "-1234569");
}

TEST(PointNumberText, ExponentFormForLargeAndSmallMagnitudes)
{
    EXPECT_EQ(doubleText(0.00001), " 1E-05");
    EXPECT_EQ(doubleText(0.0001), " .0001");
    EXPECT_EQ(doubleText(0.000099999), " 9.9999E-05");
    EXPECT_EQ(doubleText(1.5e20), " 1.5E+20");
    EXPECT_EQ(doubleText(-1.5e20), "-1.5E+20");
    EXPECT_EQ(doubleText(1e15), " 1E+15");
    EXPECT_EQ(doubleText(999999999999999.0), " 999999999999999");
    // Rounding to 15 digits reaches 1E15 and so the exponent form.
    EXPECT_EQ(doubleText(999999999999999.9), " 1E+15");
    EXPECT_EQ(singleText(1e7f), " 1E+07");
    EXPECT_EQ(singleText(9999999.0f), " 9999999");
    EXPECT_EQ(singleText(12345678.0f), " 1.234568E+07");
    EXPECT_EQ(doubleText(1e-300), " 1E-300");
    EXPECT_EQ(doubleText(-1e308), "-1E+308");
}

TEST(PointNumberText, NonFiniteValuesGiveDefinedTexts)
{
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(doubleText(inf), " Infinity");
    EXPECT_EQ(doubleText(-inf), "-Infinity");
    EXPECT_EQ(doubleText(std::nan("")), " NaN");
    EXPECT_EQ(doubleText(std::numeric_limits<double>::denorm_min()), " 4.94065645841247E-324");
}

}  // namespace
}  // namespace quorlin
