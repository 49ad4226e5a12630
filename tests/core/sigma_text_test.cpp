#include "core/sigma_text.h"
#include "titration_data.h"

#include <gtest/gtest.h>

namespace quorlin {
namespace {

using testing::kPointFormat;

const RegionalFormat kCommaFormat{RegionalSettings{',', '.'}};

void expectOneFigure(std::initializer_list<std::pair<double, std::string>> examples)
{
    for (const auto& [sigma, text] : examples) EXPECT_EQ(oneFigureText(sigma, kPointFormat), text) << sigma;
}

TEST(oneFigureText, RoundsToOneFigureWithJustEnoughDecimals)
{
    // Powers of ten (0.096 rounded, 0.01) fall into the finer pattern.
    expectOneFigure({{0.0234, "0.02"}, {3.7, "4.0"}, {15.2, "15.0"}, {0.3, "0.3"}, {0.00047, "0.0005"},
                     {0.096, "0.10"}, {0.01, "0.010"}});
    EXPECT_EQ(oneFigureText(0.0234, kCommaFormat), "0,02");
}

TEST(oneFigureText, LadderGoesOnBelowTheSmallestListedRange)
{
    // The last listed range, 1E-7 < z <= 1E-6, keeps seven decimals; 6E-12 is beyond the
    // range of a 32-bit multiplier.
    expectOneFigure({{2.4e-7, "0.0000002"}, {1e-7, "0.00000010"}, {3.3e-9, "0.000000003"},
                     {6e-12, "0.000000000006"}, {4.4e-30, "0." + std::string(29, '0') + "4"}});
}

TEST(oneFigureText, ZeroAndHugeDeviations)
{
    // Whole numbers beyond a 32-bit integer no longer overflow.
    expectOneFigure({{0.0, "0"}, {3e9, "3000000000.0"}});
}

TEST(parameterCaption, ValueShownToTheDecimalsOfItsDeviation)
{
    EXPECT_EQ(decimalsPatternFor("0.02"), "###0.00");
    EXPECT_EQ(decimalsPatternFor("4.0"), "###0.0");
    EXPECT_EQ(decimalsPatternFor("15.0"), "###0.00");

    const struct { double value, sigma; std::string_view caption; } examples[] = {
        {412.3456, 0.0234, "412.35\u00B10.02"}, {57.123, 0.096, "57.12\u00B10.10"}, {57.123, 3.7, "57.1\u00B14"},
        {57.123, 15.2, "57.12\u00B115"}, {-12.345, 0.3, "-12.3\u00B10.3"}, {412.3456, 0.0, "412.35\u00B10"}};
    for (const auto& e : examples)
        EXPECT_EQ(parameterCaption(e.value, e.sigma, oneFigureText(e.sigma, kPointFormat), kPointFormat), e.caption);
    EXPECT_EQ(parameterCaption(57.123, 3.7, oneFigureText(3.7, kCommaFormat), kCommaFormat), "57,1\u00B14");
}

}  // namespace
}  // namespace quorlin
