#include "core/fit.h"
#include "support/double_fit.h"
#include "support/titration.h"

#include <gtest/gtest.h>

#include <random>

namespace quorlin {
namespace {

using namespace testing;

// The program's sample titration (data/calibration.txt).
const Points kSample{{0.10, 227.56}, {0.13, 234.65}, {0.18, 242.67}, {0.24, 250.23}, {0.33, 258.40},
                     {0.44, 265.81}, {0.60, 273.81}, {0.81, 281.40}, {1.09, 288.93}, {1.48, 297.07},
                     {2.01, 304.83}, {2.74, 312.87}, {3.75, 320.97}, {5.18, 329.40}, {7.22, 337.75}};

struct FitRun {
    // value_or's argument always runs: the model values are computed whatever the start.
    FitRun(CalibrationData d, std::optional<ElectrodeParameters> from = {})
        : data(std::move(d)), start(from.value_or(shownStart(computeInitialValues(data)))),
          fit(fitParameters(data, start))
    {
    }
    // A failed fit hands back its start, with no rms.
    bool failedAtStart() const { return !fit.converged() && fit.parameters == start && fit.rms == 0.0; }
    CalibrationData data;
    ElectrodeParameters start{};
    FitResult fit;
};

TEST(fitParameters, AgreesWithAnIndependentDoubleSolve)
{
    const CalibrationData cases[] = {titration(0.1, 50, noisyTitration()), titration(0.1, 50, noisyTitration(), true),
                                     titration(0.5, 50, kSample)};
    for (const CalibrationData& data : cases) {
        const FitRun run(data);
        ASSERT_TRUE(run.fit.converged());
        EXPECT_LE(run.fit.progress.steps, 4);
        const DoubleFit ls = solveInDouble(run.data);
        for (std::size_t j = 1; j <= 3; ++j) {
            EXPECT_NEAR(run.fit.parameters[j], ls.params[j], 0.05 * ls.sigma[j]) << j;
            EXPECT_NEAR(run.fit.sigma[j], ls.sigma[j], 0.01 * ls.sigma[j]) << j;
        }
        EXPECT_NEAR(run.fit.rms, std::sqrt(ls.sum / (data.count - 3)), 1e-4);
    }
}

TEST(fitParameters, ExactDataConvergeWithZeroDeviations)
{
    CalibrationData data = titration(0.1, 50, noisyTitration());
    computeInitialValues(data);
    const ElectrodeParameters p{0, 412.35f, 59.16f, -20.0f};
    const auto single = [&p](std::size_t k) { return Number::fromSingle(p[k]); };
    for (std::int32_t i = 1; i <= data.count; ++i)
        data.emf[i] = data.hydrogen[i] * single(kJcorr) + (single(kEzero) - data.pH[i] * single(kSlope));
    const FitRun run(data, p);
    ASSERT_TRUE(run.fit.converged());
    EXPECT_EQ(run.fit.parameters, p);
    EXPECT_EQ(run.fit.rms, 0.0);
    EXPECT_EQ(run.fit.sigma, (std::array<double, 4>{}));
}

TEST(fitParameters, IllConditionedDataHalveTheStepOrStop)
{
    // Narrow pH ranges: the single-precision step overshoots.
    const Points narrow{{5.00, 280.82}, {5.15, 281.65}, {5.30, 282.25}, {5.45, 282.93},
                        {5.60, 283.69}, {5.75, 284.44}, {5.90, 285.07}, {6.05, 285.58}};
    const FitRun halved(titration(0.1, 50, narrow));
    EXPECT_TRUE(halved.fit.converged());
    EXPECT_GT(halved.fit.progress.halvings, 0);
    const FitRun creeping(titration(
        0.1, 50, {{5.00, 280.89}, {5.10, 281.41}, {5.20, 281.85}, {5.30, 282.38}, {5.40, 282.81}, {5.50, 283.22}}));
    EXPECT_EQ(creeping.fit.outcome, FitOutcome::StepLimit);
    EXPECT_EQ(creeping.fit.progress.steps, 25);
    // Rounding keeps the halved parameters off the start: halving must end, not loop; back
    // at the start the factor is too near singular for deviations.
    const FitRun stuck(titration(
        0.1, 50, {{2.00, 258.12}, {2.05, 258.72}, {2.10, 259.29}, {2.15, 259.88}, {2.20, 260.49}, {2.25, 261.09}}));
    EXPECT_EQ(stuck.fit.outcome, FitOutcome::FactorizationFailed);
    EXPECT_GT(stuck.fit.progress.halvings, 100);
    EXPECT_TRUE(stuck.failedAtStart());
}

TEST(fitParameters, AStepHalvedToNothingConvergesAtTheAcceptedPoint)
{
    // Typed emf to 0.01 mV from a model electrode: the first step reaches the minimum, and
    // no halving of the second lowers the sum until the step has rounded to zero.
    const Points points{{2.28, 268.52}, {3.18, 276.67},  {4.46, 284.82}, {6.32, 293.02},
                        {9.08, 301.26}, {13.33, 309.57}, {20.26, 317.98}};
    const FitRun run(titration(0.1, 50, points, true));
    ASSERT_TRUE(run.fit.converged());
    EXPECT_GT(run.fit.progress.halvings, 100);
    // The accepted point, not a halved one near it: a fit started there stays exactly.
    EXPECT_EQ(FitRun(run.data, run.fit.parameters).fit.parameters, run.fit.parameters);
    const DoubleFit ls = solveInDouble(run.data);
    for (std::size_t j = 1; j <= 3; ++j) {
        EXPECT_NEAR(run.fit.parameters[j], ls.params[j], 0.05 * ls.sigma[j]) << j;
        // Near a positive sigma, so finite and positive.
        EXPECT_NEAR(run.fit.sigma[j], ls.sigma[j], 0.01 * ls.sigma[j]) << j;
    }
}

TEST(fitParameters, SingularOrNonFiniteDataFail)
{
    CalibrationData onePH = titration(0.1, 50, Points(8, {1.0, 300.0}));
    EXPECT_EQ(computeInitialValues(onePH).failure, ModelOutcome::Failure::NoStartingLine);
    // Exact sums: every point at pH 2 with [H+] 0.25.
    onePH.hydrogen.assign(9, Number::fromDouble(0.25));
    onePH.pH.assign(9, Number::fromDouble(2.0));
    const ElectrodeParameters start{0, 380.0f, 59.0f, 0.0f};
    const FitResult singular = fitParameters(onePH, start);
    EXPECT_EQ(singular.outcome, FitOutcome::FactorizationFailed);
    EXPECT_EQ(singular.parameters, start);
    for (const double emf : {double(NAN), double(INFINITY), 1e30, 1e200}) {
        Points points = noisyTitration();
        points[6].second = emf;
        EXPECT_TRUE(FitRun(titration(0.1, 50, points), ElectrodeParameters{0, 400, 59, 0}).failedAtStart()) << emf;
    }
}

}  // namespace
}  // namespace quorlin
