#include "io/regional_conventions.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

namespace quorlin {
namespace {

using testing::kCommaRegion;
using testing::kPointRegion;

std::string pointFormat(double value, std::string_view pattern) { return Format(value, pattern, kPointRegion); }

TEST(Format, IntegerPatterns)
{
    EXPECT_EQ(pointFormat(1234.6, "###0"), "1235");
    EXPECT_EQ(pointFormat(2.5, "###0"), "3");
    EXPECT_EQ(pointFormat(-2.5, "###0"), "-3");
    EXPECT_EQ(pointFormat(0.4, "###0"), "0");
    EXPECT_EQ(pointFormat(123456789012.0, "###0"), "123456789012");
    EXPECT_EQ(pointFormat(12.4, "###0."), "12.");
    EXPECT_EQ(pointFormat(-0.5, "###0."), "-1.");
}

TEST(Format, DecimalPatternsRoundHalvesAwayFromZero)
{
    EXPECT_EQ(pointFormat(3.14159, "###0.0"), "3.1");
    EXPECT_EQ(pointFormat(0.5, "###0.00"), "0.50");
    EXPECT_EQ(pointFormat(-58.1, "###0.00"), "-58.10");
    EXPECT_EQ(pointFormat(0.0, "###0.00"), "0.00");
    EXPECT_EQ(pointFormat(1234567.891, "###0.00"), "1234567.89");
    EXPECT_EQ(pointFormat(412.3456, "###0.00"), "412.35");
    EXPECT_EQ(pointFormat(1.0005, "###0.000"), "1.001");
    EXPECT_EQ(pointFormat(0.00005, "###0.0000"), "0.0001");
    EXPECT_EQ(pointFormat(-9.999995, "###0.00000"), "-10.00000");
    EXPECT_EQ(pointFormat(1.2345675, "###0.000000"), "1.234568");
    EXPECT_EQ(pointFormat(0.12345675, "###0.0000000"), "0.1234568");
    EXPECT_EQ(pointFormat(0.04321, "#0.0000"), "0.0432");
    EXPECT_EQ(pointFormat(1.5, "0.0"), "1.5");
    EXPECT_EQ(pointFormat(0.125, "0.00"), "0.13");
    EXPECT_EQ(pointFormat(-0.125, "0.00"), "-0.13");
    EXPECT_EQ(pointFormat(2.0005, "0.000"), "2.001");
}

TEST(Format, RoundsTheFifteenDigitDecimalNotTheBinaryValue)
{
    // Each of these is stored a hair below the half it is written as.
    EXPECT_EQ(pointFormat(2.675, "0.00"), "2.68");
    EXPECT_EQ(pointFormat(1.005, "###0.00"), "1.01");
    EXPECT_EQ(pointFormat(0.285, "0.00"), "0.29");
    // Sixteenth digit decides nothing: 0.1249999999999999 is 0.125000000000000 at 15 digits.
    EXPECT_EQ(pointFormat(0.1249999999999999, "0.00"), "0.13");
    EXPECT_EQ(pointFormat(0.124999999999, "0.00"), "0.12");
}

TEST(Format, NegativeValuesRoundingToZeroShowNoSign)
{
    EXPECT_EQ(pointFormat(-0.001, "0.00"), "0.00");
    EXPECT_EQ(pointFormat(-0.4, "###0"), "0");
    EXPECT_EQ(pointFormat(-0.0, "###0.00"), "0.00");
    EXPECT_EQ(pointFormat(-0.0, "0.0E-0"), "0.0E0");
}

TEST(Format, ScientificPatterns)
{
    EXPECT_EQ(pointFormat(0.000123, "0.0E-00"), "1.2E-04");
    EXPECT_EQ(pointFormat(123000, "0.0E-00"), "1.2E05");
    EXPECT_EQ(pointFormat(0.000123, "0.00E-0"), "1.23E-4");
    EXPECT_EQ(pointFormat(12345, "0.0E-0"), "1.2E4");
    EXPECT_EQ(pointFormat(-12345, "0.0E-0"), "-1.2E4");
    EXPECT_EQ(pointFormat(1.25, "0.0E-0"), "1.3E0");
    EXPECT_EQ(pointFormat(1e-300, "0.0E-00"), "1.0E-300");
    EXPECT_EQ(pointFormat(0.0, "0.0E-00"), "0.0E00");
    EXPECT_EQ(pointFormat(0.0, "0.00E-0"), "0.00E0");
    EXPECT_EQ(pointFormat(0.0, "0.0E-0"), "0.0E0");
}

TEST(Format, ScientificMantissaCarriesIntoTheExponent)
{
    EXPECT_EQ(pointFormat(9.96, "0.0E-0"), "1.0E1");
    EXPECT_EQ(pointFormat(-0.0999, "0.0E-00"), "-1.0E-01");
    EXPECT_EQ(pointFormat(99.999, "0.00E-0"), "1.00E2");
}

TEST(Format, RegionalSeparatorAndNeverAGroupingSymbol)
{
    EXPECT_EQ(Format(1.5, "0.0", kCommaRegion), "1,5");
    EXPECT_EQ(Format(1234567.891, "###0.00", kCommaRegion), "1234567,89");
    EXPECT_EQ(Format(12.4, "###0.", kCommaRegion), "12,");
    EXPECT_EQ(Format(0.000123, "0.00E-0", kCommaRegion), "1,23E-4");
    EXPECT_EQ(Format(1234.6, "###0", kCommaRegion), "1235");
}

TEST(Format, ExtremeValuesGiveDefinedTexts)
{
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(pointFormat(std::nan(""), "###0.00"), "NaN");
    EXPECT_EQ(pointFormat(inf, "0.0E-0"), "Infinity");
    EXPECT_EQ(pointFormat(-inf, "###0"), "-Infinity");
    EXPECT_EQ(pointFormat(std::numeric_limits<double>::denorm_min(), "###0.00"), "0.00");
    EXPECT_EQ(pointFormat(-std::numeric_limits<double>::denorm_min(), "0.0E-00"), "-4.9E-324");
    EXPECT_EQ(pointFormat(DBL_MAX, "0.0E-0"), "1.8E308");

    const std::string huge = pointFormat(-1e308, "###0.00");
    EXPECT_EQ(huge.size(), 1 + 309 + 3);
    EXPECT_EQ(huge.substr(0, 3), "-10");
    EXPECT_EQ(huge.substr(huge.size() - 4), "0.00");
}

}  // namespace
}  // namespace quorlin
