#include "plot/plot_mapping.h"
#include "plot/ticks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace quorlin {
namespace {

PlotMapping area(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom)
{
    PlotMapping m;
    m.PlotLeft = left;
    m.PlotTop = top;
    m.PlotRight = right;
    m.PlotBottom = bottom;
    return m;
}

TEST(Nearest, HalvesGoToTheEvenNeighbour)
{
    EXPECT_EQ(nearest(2.5), 2);
    EXPECT_EQ(nearest(3.5), 4);
    EXPECT_EQ(nearest(-2.5), -2);
    EXPECT_EQ(nearest(41.4999), 41);
    EXPECT_EQ(nearest(2147483647.0), 2147483647);
    EXPECT_FALSE(nearest(2147483648.0));
    EXPECT_FALSE(nearest(-2147483649.0));
    EXPECT_FALSE(nearest(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_FALSE(nearest(std::numeric_limits<double>::infinity()));
}

TEST(SetScales, EqualEndsWidenTheCallersMaximumAndMinAboveMaxMirrors)
{
    PlotMapping m = area(0, 0, 100, 50);
    double xMax = 5, yMax = -2;
    SetScales(m, xMax, 5, yMax, -2);
    EXPECT_EQ(xMax, 6);
    EXPECT_EQ(yMax, -1);
    EXPECT_EQ(XToPixel(m, 6), 100);
    EXPECT_EQ(YToPixel(m, -1), 0);

    xMax = 0;
    SetScales(m, xMax, 10, yMax, -2);
    EXPECT_EQ(XToPixel(m, 10), 0);
    EXPECT_EQ(XToPixel(m, 0), 100);
}

TEST(SetScales, RangesNoPixelCanHoldMapNothing)
{
    PlotMapping m = area(0, 0, 100, 50);
    // 1E17 + 1 is 1E17 again: the widened range is still empty.
    double xMax = 1E17, yMax = 1E308;
    SetScales(m, xMax, 1E17, yMax, -1E308);
    EXPECT_FALSE(XToPixel(m, 1E17));
    EXPECT_FALSE(YToPixel(m, 0));

    double nanMax = std::nan("");
    SetScales(m, nanMax, 0, yMax, 0);
    EXPECT_FALSE(XToPixel(m, 0));
    EXPECT_TRUE(YToPixel(m, 0));
}

TEST(XToPixel, ValuesBeyond32BitPixelsOrNotFiniteHaveNoPixel)
{
    PlotMapping m = area(0, 0, 100, 100);
    double xMax = 1, yMax = 1;
    SetScales(m, xMax, 0, yMax, 0);
    EXPECT_EQ(XToPixel(m, 0.025), 2);
    EXPECT_EQ(XToPixel(m, 0.035), 4);
    EXPECT_FALSE(XToPixel(m, 1E8));
    EXPECT_FALSE(YToPixel(m, -1E8));
    EXPECT_FALSE(XToPixel(m, std::numeric_limits<double>::infinity()));
    EXPECT_FALSE(YToPixel(m, std::nan("")));
}

TEST(TickStep, OneTwoOrFiveTimesAPowerOfTen)
{
    EXPECT_EQ(TickStep(0, 7.3, 10), 1);
    EXPECT_DOUBLE_EQ(TickStep(1.62, 2.95, 10), 0.2);
    EXPECT_EQ(TickStep(250, 410, 10), 20);
    EXPECT_DOUBLE_EQ(TickStep(-1.3, 1.3, 10), 0.5);
    EXPECT_DOUBLE_EQ(TickStep(0, 0.0042, 10), 0.0005);
    EXPECT_EQ(TickStep(5, 5, 10), 1);
    EXPECT_DOUBLE_EQ(TickStep(3, 1, 10), -0.2);
    EXPECT_DOUBLE_EQ(TickStep(-1E-20, 1E-20, 10), 2E-21);
    EXPECT_EQ(TickStep(0, 73, 5), 20);
}

TEST(TickStep, RangesBeyondTheMultipliersStopAtTwentyTimesTheTopPower)
{
    EXPECT_EQ(TickStep(0, 1E23, 10), 2E21);
    EXPECT_EQ(TickStep(0, std::numeric_limits<double>::infinity(), 10), 2E21);
    // Subnormal ranges still end the division loop with a usable step.
    const double tiny = TickStep(0, 1E-310, 10);
    EXPECT_GT(tiny, 0);
    EXPECT_LE(1E-310 / tiny, 10);
}

TEST(TickLabelText, PatternFollowsTheSizeOfTheStep)
{
    const RegionalSettings point;
    EXPECT_EQ(TickLabelText(2.2, 0.2, point), "2.2");
    EXPECT_EQ(TickLabelText(300, 20, point), "300");
    EXPECT_EQ(TickLabelText(0.0015, 0.0005, point), "1.50E-3");
    EXPECT_EQ(TickLabelText(4E-21, 2E-21, point), "4.0E-21");
    EXPECT_EQ(TickLabelText(0, 2E-21, point), "0.0E00");
    EXPECT_EQ(TickLabelText(60000, 20000, point), "6.0E4");
    EXPECT_EQ(TickLabelText(0.015, 0.005, point), "0.015");
    EXPECT_EQ(TickLabelText(0.25, 0.05, point), "0.25");
    EXPECT_EQ(TickLabelText(-1.25, 0.5, point), "-1.3");
    EXPECT_EQ(TickLabelText(2.5, 1, point), "3");
}

TEST(TickLabelText, UsesTheRegionalDecimalSeparator)
{
    const RegionalSettings comma{',', '.'};
    EXPECT_EQ(TickLabelText(2.2, 0.2, comma), "2,2");
    EXPECT_EQ(TickLabelText(6000, 2000, comma), "6000");
}

}  // namespace
}  // namespace quorlin
