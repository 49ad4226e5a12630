#include "plot/plot_mapping.h"
#include "plot/ticks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace quorlin {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(Nearest, HalvesGoToTheEvenNeighbourAndNothingBeyond32Bits)
{
    const std::pair<double, std::int32_t> examples[] = {
        {2.5, 2}, {3.5, 4}, {-2.5, -2}, {41.4999, 41}, {2147483647.0, 2147483647}};
    for (const auto& [v, pixel] : examples) EXPECT_EQ(nearest(v), pixel) << v;
    for (const double v : {2147483648.0, -2147483649.0, std::nan(""), kInf}) EXPECT_FALSE(nearest(v)) << v;
}

TEST(setScales, EqualEndsWidenTheCallersMaximumAndMinAboveMaxMirrors)
{
    PlotMapping m{0, 0, 100, 50};  // left, top, right, bottom
    double xMax = 5, yMax = -2;
    setScales(m, xMax, 5, yMax, -2);
    EXPECT_EQ(xMax, 6);
    EXPECT_EQ(yMax, -1);
    EXPECT_EQ(xToPixel(m, 6), 100);
    EXPECT_EQ(yToPixel(m, -1), 0);

    xMax = 0;
    setScales(m, xMax, 10, yMax, -2);
    EXPECT_EQ(xToPixel(m, 10), 0);
    EXPECT_EQ(xToPixel(m, 0), 100);
}

TEST(setScales, RangesNoPixelCanHoldMapNothing)
{
    PlotMapping m{0, 0, 100, 50};
    // 1E17 + 1 is 1E17 again: the widened range is still empty.
    double xMax = 1E17, yMax = 1E308;
    setScales(m, xMax, 1E17, yMax, -1E308);
    EXPECT_FALSE(xToPixel(m, 1E17));
    EXPECT_FALSE(yToPixel(m, 0));

    double nanMax = std::nan("");
    setScales(m, nanMax, 0, yMax, 0);
    EXPECT_FALSE(xToPixel(m, 0));
    EXPECT_TRUE(yToPixel(m, 0));
}

TEST(xToPixel, ValuesBeyond32BitPixelsOrNotFiniteHaveNoPixel)
{
    PlotMapping m{0, 0, 100, 100};
    double xMax = 1, yMax = 1;
    setScales(m, xMax, 0, yMax, 0);
    EXPECT_EQ(xToPixel(m, 0.025), 2);
    EXPECT_EQ(xToPixel(m, 0.035), 4);
    EXPECT_FALSE(xToPixel(m, 1E8));
    EXPECT_FALSE(yToPixel(m, -1E8));
    EXPECT_FALSE(xToPixel(m, kInf));
    EXPECT_FALSE(yToPixel(m, std::nan("")));
}

TEST(tickStep, OneTwoOrFiveTimesAPowerOfTenUpToTwentyTimesTheTopPower)
{
    const struct { double a, b; std::int32_t n; double step; } examples[] = {
        {0, 7.3, 10, 1}, {1.62, 2.95, 10, 0.2}, {250, 410, 10, 20}, {-1.3, 1.3, 10, 0.5}, {0, 0.0042, 10, 0.0005},
        {5, 5, 10, 1}, {3, 1, 10, -0.2}, {-1E-20, 1E-20, 10, 2E-21}, {0, 73, 5, 20},
        // Ranges beyond the multipliers stop at twenty times the top power.
        {0, 1E23, 10, 2E21}, {0, kInf, 10, 2E21}};
    for (const auto& e : examples) {
        // Whole steps are exact; fractional ones may be off by rounding of the powers of ten.
        if (e.step == std::trunc(e.step)) EXPECT_EQ(tickStep(e.a, e.b, e.n), e.step) << e.a << ".." << e.b;
        else EXPECT_DOUBLE_EQ(tickStep(e.a, e.b, e.n), e.step) << e.a << ".." << e.b;
    }
    // Subnormal ranges still end the division loop with a usable step.
    const double tiny = tickStep(0, 1E-310, 10);
    EXPECT_GT(tiny, 0);
    EXPECT_LE(1E-310 / tiny, 10);
}

TEST(tickLabelText, PatternFollowsTheSizeOfTheStep)
{
    const struct { double value, step; std::string_view text; } examples[] = {
        {2.2, 0.2, "2.2"}, {300, 20, "300"}, {0.0015, 0.0005, "1.50E-3"}, {4E-21, 2E-21, "4.0E-21"},
        {0, 2E-21, "0.0E00"}, {60000, 20000, "6.0E4"}, {0.015, 0.005, "0.015"}, {0.25, 0.05, "0.25"},
        {-1.25, 0.5, "-1.3"}, {2.5, 1, "3"}};
    for (const auto& e : examples) EXPECT_EQ(tickLabelText(e.value, e.step, RegionalSettings{}), e.text);
    const RegionalSettings comma{',', '.'};
    EXPECT_EQ(tickLabelText(2.2, 0.2, comma), "2,2");
    EXPECT_EQ(tickLabelText(6000, 2000, comma), "6000");
}

}  // namespace
}  // namespace quorlin
