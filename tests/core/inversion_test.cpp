#include "core/adjustment.h"
#include "core/inversion.h"
#include "titration_data.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace quorlin {
namespace {

using testing::d;
using testing::kPointFormat;

Workspace calibrated(float ezero, float slope, float jcorr, const std::vector<Number>& emfs)
{
    Workspace ws;
    ws.Params = {0, ezero, slope, jcorr};
    ws.AdjCount = static_cast<std::int32_t>(emfs.size());
    ws.AdjEmf.assign(1, Number());
    ws.AdjEmf.insert(ws.AdjEmf.end(), emfs.begin(), emfs.end());
    return ws;
}

// The root by plain bisection, independent of false position.
double bisectedPH(const Workspace& ws, std::int32_t ip)
{
    double lo = 0, hi = 14;
    const bool rising = emfMismatch(ws, ip, hi) > emfMismatch(ws, ip, lo);
    for (int i = 0; i < 200; ++i) {
        const double mid = (lo + hi) / 2;
        ((emfMismatch(ws, ip, mid) < 0) == rising ? lo : hi) = mid;
    }
    return lo;
}

TEST(findPhByFalsePosition, StraightLineGivesTheRootAtOnce)
{
    const Workspace ws = calibrated(400, 59, 0, {d(223), d(300)});
    EXPECT_DOUBLE_EQ(emfMismatch(ws, 1, 0), -177);
    EXPECT_DOUBLE_EQ(emfMismatch(ws, 1, 14), 649);
    const Inversion pH3 = findPhByFalsePosition(ws, 1);
    ASSERT_EQ(pH3.kind, Inversion::Kind::Root);
    EXPECT_EQ(pH3.pH, 3.0);
    EXPECT_NEAR(findPhByFalsePosition(ws, 2).pH, 100.0 / 59.0, 1e-12);
}

TEST(findPhByFalsePosition, CurvedFunctionAndEitherSlopeSign)
{
    const double pHs[] = {0.3, 1.2, 6.5};
    for (const float slope : {59.0f, -59.0f}) {
        std::vector<Number> emfs;
        for (double pH : pHs) emfs.push_back(d(400 - slope * pH + 30 * std::pow(10.0, -pH)));
        const Workspace ws = calibrated(400, slope, 30, emfs);
        for (std::int32_t ip = 1; ip <= 3; ++ip) {
            const Inversion found = findPhByFalsePosition(ws, ip);
            ASSERT_EQ(found.kind, Inversion::Kind::Root);
            EXPECT_NEAR(found.pH, pHs[ip - 1], 2e-5) << slope << " point " << ip;
            EXPECT_NEAR(found.pH, bisectedPH(ws, ip), 2e-5) << slope << " point " << ip;
        }
    }
}

TEST(findPhByFalsePosition, EndsOfTheIntervalAndNoRoot)
{
    // emf = Ezero + j corr is pH 0; emf = Ezero − 14·Slope (j corr 0) is pH 14.
    EXPECT_EQ(findPhByFalsePosition(calibrated(400, 59, 20, {d(420)}), 1).pH, 0.0);
    EXPECT_EQ(findPhByFalsePosition(calibrated(400, 59, 0, {d(400 - 14 * 59)}), 1).pH, 14.0);

    const Workspace outside = calibrated(400, 59, 20, {d(450), d(-500)});
    EXPECT_EQ(findPhByFalsePosition(outside, 1).kind, Inversion::Kind::NoRoot);
    EXPECT_EQ(findPhByFalsePosition(outside, 2).kind, Inversion::Kind::NoRoot);
    // f(0) = f(14) = 0: every pH fits, which is no single root.
    EXPECT_EQ(findPhByFalsePosition(calibrated(400, 0, 0, {d(400)}), 1).kind, Inversion::Kind::NoRoot);
}

TEST(findPhByFalsePosition, NonFiniteValuesFail)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Workspace ws = calibrated(400, 59, 20, {d(nan), d(std::numeric_limits<double>::infinity()), d(1e200)});
    for (std::int32_t ip = 1; ip <= 3; ++ip) EXPECT_EQ(findPhByFalsePosition(ws, ip).kind, Inversion::Kind::Failed) << ip;
    EXPECT_EQ(findPhByFalsePosition(calibrated(400, static_cast<float>(nan), 20, {d(300)}), 1).kind, Inversion::Kind::Failed);
}

TEST(adjustData, RemovesTheJCorrTerm)
{
    const Workspace ws = calibrated(400, 59, 20, {Number::fromSingle(223.02f), d(250), d(460), d(300.004)});
    const AdjustmentResult result = adjustData(ws, kPointFormat);
    ASSERT_EQ(result.failedPoint, 0);
    ASSERT_EQ(result.adjusted.size(), 4u);
    EXPECT_EQ(result.adjusted[0], "223.00");
    // With a root the adjusted emf is Ezero − Slope·pH.
    EXPECT_EQ(result.adjusted[1], kPointFormat.formatNumber(400 - 59 * bisectedPH(ws, 2), "###0.00"));
    // No root: adjusted as if at pH 0.
    EXPECT_EQ(result.adjusted[2], "440.00");
    EXPECT_EQ(adjustData(ws, kPointFormat).adjusted, result.adjusted);

    const Workspace negative = calibrated(400, -59, 20, {d(577.02)});
    EXPECT_EQ(adjustData(negative, kPointFormat).adjusted.at(0),
              kPointFormat.formatNumber(400 + 59 * bisectedPH(negative, 1), "###0.00"));
}

TEST(adjustData, WithoutJCorrOrPointsNothingChanges)
{
    EXPECT_EQ(adjustData(calibrated(400, 59, 0, {d(223.456), d(-12.345), d(900)}), kPointFormat).adjusted,
              (std::vector<std::string>{"223.46", "-12.35", "900.00"}));
    EXPECT_TRUE(adjustData(calibrated(400, 59, 20, {}), kPointFormat).adjusted.empty());
    // Both ends exactly on a flat line: no root, so pH 0, and without j corr the emf stays.
    EXPECT_EQ(adjustData(calibrated(400, 0, 0, {d(400)}), kPointFormat).adjusted.at(0), "400.00");
}

TEST(adjustData, StopsAtAPointThatFailsArithmetically)
{
    const Workspace ws = calibrated(400, 59, 20, {d(300), d(std::numeric_limits<double>::quiet_NaN()), d(250)});
    const AdjustmentResult result = adjustData(ws, kPointFormat);
    EXPECT_EQ(result.failedPoint, 2);
    EXPECT_EQ(result.adjusted.size(), 1u);
}

}  // namespace
}  // namespace quorlin
