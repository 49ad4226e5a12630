#include "core/sigma_text.h"
#include "titration_data.h"

#include <gtest/gtest.h>

namespace quorlin {
namespace {

using testing::kPointFormat;

std::string caption(double value, double sigma, const DisplayFormat& format = kPointFormat)
{
    return ParameterCaption(value, sigma, OneFigureText(sigma, format), format);
}

TEST(OneFigureText, RoundsToOneFigureWithJustEnoughDecimals)
{
    EXPECT_EQ(OneFigureText(0.0234, kPointFormat), "0.02");
    EXPECT_EQ(OneFigureText(3.7, kPointFormat), "4.0");
    EXPECT_EQ(OneFigureText(15.2, kPointFormat), "15.0");
    EXPECT_EQ(OneFigureText(0.3, kPointFormat), "0.3");
    EXPECT_EQ(OneFigureText(0.00047, kPointFormat), "0.0005");
    // Powers of ten fall into the finer pattern.
    EXPECT_EQ(OneFigureText(0.096, kPointFormat), "0.10");
    EXPECT_EQ(OneFigureText(0.01, kPointFormat), "0.010");
    EXPECT_EQ(OneFigureText(0.0234, RegionalFormat(RegionalSettings{',', '.'})), "0,02");
}

TEST(OneFigureText, LadderGoesOnBelowTheSmallestListedRange)
{
    // The last listed range, 1E-7 < z <= 1E-6, keeps seven decimals.
    EXPECT_EQ(OneFigureText(2.4e-7, kPointFormat), "0.0000002");
    EXPECT_EQ(OneFigureText(1e-7, kPointFormat), "0.00000010");
    EXPECT_EQ(OneFigureText(3.3e-9, kPointFormat), "0.000000003");
    // Beyond the range of a 32-bit multiplier.
    EXPECT_EQ(OneFigureText(6e-12, kPointFormat), "0.000000000006");
    const std::string tiny = OneFigureText(4.4e-30, kPointFormat);
    EXPECT_EQ(tiny, "0." + std::string(29, '0') + "4");
}

TEST(OneFigureText, ZeroAndHugeDeviations)
{
    EXPECT_EQ(OneFigureText(0.0, kPointFormat), "0");
    // Whole numbers beyond a 32-bit integer no longer overflow.
    EXPECT_EQ(OneFigureText(3e9, kPointFormat), "3000000000.0");
}

TEST(DecimalsFormat, OneDecimalPerCharacterBeyondTwo)
{
    EXPECT_EQ(DecimalsFormat("0.02"), "###0.00");
    EXPECT_EQ(DecimalsFormat("4.0"), "###0.0");
    EXPECT_EQ(DecimalsFormat("15.0"), "###0.00");
}

TEST(ParameterCaption, ValueShownToItsDeviation)
{
    EXPECT_EQ(caption(412.3456, 0.0234), "412.35\u00B10.02");
    EXPECT_EQ(caption(57.123, 0.096), "57.12\u00B10.10");
    EXPECT_EQ(caption(57.123, 3.7), "57.1\u00B14");
    EXPECT_EQ(caption(57.123, 15.2), "57.12\u00B115");
    EXPECT_EQ(caption(-12.345, 0.3), "-12.3\u00B10.3");
    EXPECT_EQ(caption(412.3456, 0.0), "412.35\u00B10");
    EXPECT_EQ(caption(57.123, 3.7, RegionalFormat(RegionalSettings{',', '.'})), "57,1\u00B14");
}

}  // namespace
}  // namespace quorlin
