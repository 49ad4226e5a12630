#include "text/regional_conventions.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

namespace quorlin {
namespace {

using testing::kCommaRegion;
using testing::kPointRegion;

struct Example {
    double value;
    std::string_view pattern;
    std::string_view text;
};

void expectFormats(std::initializer_list<Example> examples, const RegionalSettings& regional = kPointRegion)
{
    for (const Example& e : examples)
        EXPECT_EQ(formatNumber(e.value, e.pattern, regional), e.text) << e.value << " " << e.pattern;
}

TEST(formatNumber, FixedPatternsRoundHalvesAwayFromZero)
{
    expectFormats({
        {1234.6, "###0", "1235"}, {2.5, "###0", "3"}, {-2.5, "###0", "-3"}, {0.4, "###0", "0"},
        {123456789012.0, "###0", "123456789012"}, {12.4, "###0.", "12."}, {-0.5, "###0.", "-1."},
        {3.14159, "###0.0", "3.1"}, {0.5, "###0.00", "0.50"}, {-58.1, "###0.00", "-58.10"},
        {0.0, "###0.00", "0.00"}, {1234567.891, "###0.00", "1234567.89"}, {412.3456, "###0.00", "412.35"},
        {1.0005, "###0.000", "1.001"}, {0.00005, "###0.0000", "0.0001"}, {-9.999995, "###0.00000", "-10.00000"},
        {1.2345675, "###0.000000", "1.234568"}, {0.12345675, "###0.0000000", "0.1234568"},
        {0.04321, "#0.0000", "0.0432"}, {1.5, "0.0", "1.5"}, {0.125, "0.00", "0.13"}, {-0.125, "0.00", "-0.13"},
        {2.0005, "0.000", "2.001"}});
}

TEST(formatNumber, RoundsTheFifteenDigitDecimalNotTheBinaryValue)
{
    expectFormats({// Each of these is stored a hair below the half it is written as.
                   {2.675, "0.00", "2.68"}, {1.005, "###0.00", "1.01"}, {0.285, "0.00", "0.29"},
                   // The sixteenth digit decides nothing: 0.1249999999999999 is 0.125000000000000.
                   {0.1249999999999999, "0.00", "0.13"}, {0.124999999999, "0.00", "0.12"}});
}

TEST(formatNumber, NegativeValuesRoundingToZeroShowNoSign)
{
    expectFormats(
        {{-0.001, "0.00", "0.00"}, {-0.4, "###0", "0"}, {-0.0, "###0.00", "0.00"}, {-0.0, "0.0E-0", "0.0E0"}});
}

TEST(formatNumber, ScientificPatternsCarryTheMantissaIntoTheExponent)
{
    expectFormats({
        {0.000123, "0.0E-00", "1.2E-04"}, {123000, "0.0E-00", "1.2E05"}, {0.000123, "0.00E-0", "1.23E-4"},
        {12345, "0.0E-0", "1.2E4"}, {-12345, "0.0E-0", "-1.2E4"}, {1.25, "0.0E-0", "1.3E0"},
        {1e-300, "0.0E-00", "1.0E-300"}, {0.0, "0.0E-00", "0.0E00"}, {0.0, "0.00E-0", "0.00E0"},
        {0.0, "0.0E-0", "0.0E0"}, {9.96, "0.0E-0", "1.0E1"}, {-0.0999, "0.0E-00", "-1.0E-01"},
        {99.999, "0.00E-0", "1.00E2"}});
}

TEST(formatNumber, RegionalSeparatorAndNeverAGroupingSymbol)
{
    expectFormats({{1.5, "0.0", "1,5"}, {1234567.891, "###0.00", "1234567,89"}, {12.4, "###0.", "12,"},
                   {0.000123, "0.00E-0", "1,23E-4"}, {1234.6, "###0", "1235"}},
                  kCommaRegion);
}

TEST(formatNumber, ExtremeValuesGiveDefinedTexts)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double tiny = std::numeric_limits<double>::denorm_min();
    expectFormats({{std::nan(""), "###0.00", "NaN"}, {inf, "0.0E-0", "Infinity"}, {-inf, "###0", "-Infinity"},
                   {tiny, "###0.00", "0.00"}, {-tiny, "0.0E-00", "-4.9E-324"}, {DBL_MAX, "0.0E-0", "1.8E308"}});

    const std::string huge = formatNumber(-1e308, "###0.00", kPointRegion);
    EXPECT_EQ(huge.size(), 1 + 309 + 3);
    EXPECT_EQ(huge.substr(0, 3), "-10");
    EXPECT_EQ(huge.substr(huge.size() - 4), "0.00");
}

}  // namespace
}  // namespace quorlin
