#include "core/fit.h"
#include "titration_data.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace quorlin {
namespace {

using testing::fileTitration;
using testing::kPointFormat;
using testing::solveInDouble;
using testing::startFromCaptions;

constexpr double kEzero = 400.0, kSlope = 59.16, kJcorr = 150.0;

double modelEmf(double acid, double initVolume, double v)
{
    const double h = acid * v / (v + initVolume);
    return kEzero + kSlope * std::log10(h) + kJcorr * h;
}

// 40 additions of 0.1 M acid to 50 ml, emf read to 0.01 mV with up to ±0.1 mV of noise.
Workspace realisticTitration()
{
    std::mt19937 noise(20240611);
    std::vector<std::pair<double, double>> points;
    for (int i = 1; i <= 40; ++i) {
        const double v = 0.5 * i;
        const int hundredths = static_cast<int>(noise() % 21) - 10;
        points.emplace_back(v, std::round(modelEmf(0.1, 50, v) * 100 + hundredths) / 100);
    }
    return fileTitration(0.1, 50, points);
}

// The same titration typed in by hand: every input single, so [H+] is single too.
Workspace typedTitration()
{
    Workspace ws = realisticTitration();
    ws.AcidConc = Number::fromSingle(0.1f);
    ws.InitVolume = Number::fromSingle(50.0f);
    for (std::int32_t i = 1; i <= ws.CalCount; ++i) {
        ws.CalVolume[i] = Number::fromSingle(static_cast<float>(ws.CalVolume[i].value()));
        ws.CalEmf[i] = Number::fromSingle(static_cast<float>(ws.CalEmf[i].value()));
    }
    return ws;
}

const Captions kEarlier = [] {
    Captions c;
    c.Parameter = {"", "401.00", "58.00", "3.5"};
    c.rmserror = "Rms error = 0.1234";
    return c;
}();

// The fit as the calibration command runs it: from the starting captions, or from the
// Params already set.
struct FitRun {
    explicit FitRun(Workspace data, bool fromCaptions = true) : ws(std::move(data))
    {
        ws.RmsError = 0.1234;
        if (fromCaptions) {
            startFromCaptions(ws, captions);
            captions.Parameter = kEarlier.Parameter;
        }
        start = ws.Params;
        outcome = fitParameters(ws, captions, kPointFormat, &progress);
    }

    Workspace ws;
    Captions captions = kEarlier;
    std::array<float, 4> start{};
    FitProgress progress;
    FitOutcome outcome{};
};

// A failed fit leaves the starting parameters and every caption.
void expectFailedAndUntouched(const FitRun& run)
{
    EXPECT_NE(run.outcome, FitOutcome::Converged);
    EXPECT_EQ(run.captions.Parameter, kEarlier.Parameter);
    EXPECT_EQ(run.captions.rmserror, kEarlier.rmserror);
    EXPECT_EQ(run.ws.RmsError, 0.1234);
    EXPECT_EQ(run.ws.Params, run.start);
}

TEST(fitParameters, RecoversTheTrueParametersAndAgreesWithAnIndependentDoubleSolve)
{
    const double truth[4] = {0, kEzero, kSlope, kJcorr};
    for (Workspace data : {realisticTitration(), typedTitration()}) {
        const FitRun run(std::move(data));
        ASSERT_EQ(run.outcome, FitOutcome::Converged);
        EXPECT_LE(run.progress.steps, 3);
        const auto ls = solveInDouble(run.ws);
        const auto& p = run.ws.Params;
        for (std::size_t j = 1; j <= 3; ++j) {
            EXPECT_LT(std::fabs(p[j] - truth[j]), 3 * ls.sigma[j]) << j;
            EXPECT_LT(std::fabs(p[j] - ls.params[j]), 0.05 * ls.sigma[j]) << j;
        }
        // The residuals left behind belong to the fitted parameters.
        for (std::int32_t i = 1; i <= run.ws.CalCount; ++i) {
            const double model = p[1] - p[2] * run.ws.CalPH[i].value() + p[3] * run.ws.CalH[i].value();
            EXPECT_LT(std::fabs(run.ws.CalEmf[i].value() - model - run.ws.CalResidual[i].value()), 1e-5) << i;
        }
        // The captions show the deviations of an exact least-squares solution.
        for (std::size_t j = 1; j <= 3; ++j) {
            const std::string& text = run.captions.Parameter[j];
            EXPECT_NEAR(std::stod(text.substr(text.find("\u00B1") + 2)), ls.sigma[j],
                        0.5 * std::pow(10.0, std::floor(std::log10(ls.sigma[j])))) << text;
        }
        const double rms = std::sqrt(ls.sum / (run.ws.CalCount - 3));
        EXPECT_EQ(run.captions.rmserror, "Rms error = " + kPointFormat.formatNumber(rms, "#0.0000"));
        EXPECT_NEAR(run.ws.RmsError, rms, 1e-6);
    }
}

TEST(fitParameters, SixPointsLeaveThreeDegreesOfFreedom)
{
    // The least-squares residuals of any six points are orthogonal to the derivatives;
    // scaled to a sum of squares of 0.75 and put on the model they give rms
    // sqrt(0.75 / 3) = 0.5.
    const std::vector<double> volumes = {1, 2, 4, 7, 11, 16};
    std::vector<std::pair<double, double>> points;
    for (std::size_t i = 0; i < volumes.size(); ++i)
        points.emplace_back(volumes[i], modelEmf(0.1, 50, volumes[i]) + (i % 3 == 0 ? 0.3 : -0.2 * i));
    Workspace probe = fileTitration(0.1, 50, points);
    Captions scratch;
    computeInitialValues(probe, scratch, kPointFormat);
    const auto ls = solveInDouble(probe);
    const double scale = std::sqrt(0.75 / ls.sum);
    for (std::size_t i = 0; i < points.size(); ++i) {
        const double residual = points[i].second - (ls.params[1] - ls.params[2] * probe.CalPH[i + 1].value()
                                                    + ls.params[3] * probe.CalH[i + 1].value());
        points[i].second = modelEmf(0.1, 50, volumes[i]) + scale * residual;
    }

    const FitRun run(fileTitration(0.1, 50, points));
    ASSERT_EQ(run.outcome, FitOutcome::Converged);
    EXPECT_EQ(run.captions.rmserror, "Rms error = 0.5000");
    EXPECT_NEAR(run.ws.RmsError, 0.5, 1e-6);
}

TEST(fitParameters, ExactDataConvergeWithZeroDeviations)
{
    // Emf computed by the model itself from single parameters: every residual is 0.
    Workspace ws = realisticTitration();
    Captions captions;
    computeInitialValues(ws, captions, kPointFormat);
    ws.Params = {0, 412.35f, 59.16f, -20.0f};
    for (std::int32_t i = 1; i <= ws.CalCount; ++i)
        ws.CalEmf[i] = ws.CalH[i] * Number::fromSingle(ws.Params[3])
                       + (Number::fromSingle(ws.Params[1]) - ws.CalPH[i] * Number::fromSingle(ws.Params[2]));
    ASSERT_EQ(sumOfSquaredResiduals(ws), 0.0);

    ASSERT_EQ(fitParameters(ws, captions, kPointFormat), FitOutcome::Converged);
    EXPECT_EQ(captions.rmserror, "Rms error = 0.0000");
    EXPECT_EQ(captions.Parameter[1], "412.35\u00B10");
    EXPECT_EQ(captions.Parameter[2], "59.16\u00B10");
    EXPECT_EQ(captions.Parameter[3], "-20.00\u00B10");
    EXPECT_EQ(ws.SigmaText, "0");
    EXPECT_EQ(ws.RmsError, 0.0);
}

TEST(fitParameters, FirstStepThatRaisesTheSumIsHalved)
{
    // Eight points over a narrow pH range: the single-precision step overshoots.
    FitRun run(fileTitration(0.1, 50, {{5.00, 280.82}, {5.15, 281.65}, {5.30, 282.25},
        {5.45, 282.93}, {5.60, 283.69}, {5.75, 284.44}, {5.90, 285.07}, {6.05, 285.58}}));
    ASSERT_EQ(run.outcome, FitOutcome::Converged);
    EXPECT_EQ(run.progress.firstHalvingStep, 1);
    const double fitted = sumOfSquaredResiduals(run.ws);
    run.ws.Params = run.start;
    EXPECT_LT(fitted, sumOfSquaredResiduals(run.ws));
}

TEST(fitParameters, SingularNormalMatrixFailsAtTheFactorization)
{
    // Every point at pH 2 with [H+] 0.25 (set directly, so all sums are exact).
    Workspace ws = fileTitration(0.1, 50, std::vector<std::pair<double, double>>(8, {1.0, 300.0}));
    reallocateFresh(ws.CalH, 8);
    reallocateFresh(ws.CalPH, 8);
    for (std::int32_t i = 1; i <= 8; ++i) {
        ws.CalH[i] = Number::fromDouble(0.25);
        ws.CalPH[i] = Number::fromDouble(2.0);
    }
    ws.Params = {0, 380.0f, 59.0f, 0.0f};
    const FitRun run(std::move(ws), false);
    EXPECT_EQ(run.outcome, FitOutcome::FactorizationFailed);
    expectFailedAndUntouched(run);
    EXPECT_EQ(run.ws.SolveStatus, 2);
    // The residuals are those of the starting parameters.
    EXPECT_EQ(run.ws.CalResidual[1].value(), 300.0 - (380.0 - 2.0 * 59.0));
}

TEST(fitParameters, FitsThatNeverSettleEndAtTheStepLimit)
{
    // Six points over a very narrow pH range creep towards the minimum.
    const FitRun creeping(fileTitration(0.1, 50, {{5.00, 280.89}, {5.10, 281.41}, {5.20, 281.85}, {5.30, 282.38},
                                                  {5.40, 282.81}, {5.50, 283.22}}));
    EXPECT_EQ(creeping.outcome, FitOutcome::StepLimit);
    expectFailedAndUntouched(creeping);
    EXPECT_EQ(creeping.progress.steps, 25);

    // A step so large that rounding keeps the halved parameters off the starting point by
    // more than the sum of squares tolerates: the halving ends instead of looping.
    const FitRun halving(fileTitration(0.1, 50, {{2.00, 258.12}, {2.05, 258.72}, {2.10, 259.29}, {2.15, 259.88},
                                                 {2.20, 260.49}, {2.25, 261.09}}));
    EXPECT_EQ(halving.outcome, FitOutcome::StepLimit);
    expectFailedAndUntouched(halving);
    EXPECT_GT(halving.progress.halvings, 100);
}

TEST(fitParameters, NonFiniteValuesEndInAFailure)
{
    for (const double emf : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                             -std::numeric_limits<double>::infinity(), 1e30, 1e200}) {
        SCOPED_TRACE(emf);
        Workspace data = realisticTitration();
        data.CalEmf[7] = Number::fromDouble(emf);
        expectFailedAndUntouched(FitRun(std::move(data)));
    }
}

}  // namespace
}  // namespace quorlin
