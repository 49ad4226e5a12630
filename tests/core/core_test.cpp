#include "core/adjustment.h"
#include "core/electrode_model.h"
#include "core/inversion.h"
#include "core/ldl_solve.h"
#include "support/titration.h"

#include <gtest/gtest.h>

#include <tuple>

namespace quorlin {
namespace {

using namespace testing;
using Failure = ModelOutcome::Failure;

TEST(Number, SingleStaysSingleAndAnyDoubleMakesDouble)
{
    const Number tenth = Number::fromSingle(0.1f);
    EXPECT_EQ(tenth + tenth + tenth, Number::fromSingle(0.1f + 0.1f + 0.1f));
    EXPECT_EQ(tenth * Number::fromDouble(0.1), Number::fromDouble(static_cast<double>(0.1f) * 0.1));
    EXPECT_EQ(Number() - tenth, Number::fromSingle(-0.1f));
}

TEST(computeInitialValues, ModelValuesAndTheLineThroughTwoPoints)
{
    // v = 1 and 5 ml of 0.1 M into 50 ml: pH 2.70757 and 2.04139, on emf = 412.35 - 59.16·pH.
    const double ph1 = -std::log10(0.1 / 51), ph2 = -std::log10(0.5 / 55);
    CalibrationData data = titration(0.1, 50, {{1, 412.35 - 59.16 * ph1}, {5, 412.35 - 59.16 * ph2}}, true);
    const ModelOutcome line = computeInitialValues(data);
    ASSERT_TRUE(line.ok());
    EXPECT_EQ(data.hydrogen[1], Number::fromSingle(0.1f * 1.0f / (1.0f + 50.0f)));
    EXPECT_NEAR(data.pH[1].value(), 2.70757, 5e-6);
    EXPECT_NEAR(line.intercept, 412.35, 1e-3);
    EXPECT_NEAR(line.slope, 59.16, 1e-3);
    data.initialVolume = Number::fromDouble(50);
    computeInitialValues(data);
    EXPECT_TRUE(data.hydrogen[1].isDouble());
}

TEST(computeInitialValues, FailuresNameThePoint)
{
    const std::tuple<double, Points, bool, Failure, std::int32_t> cases[] = {
        {0.1, {{1, 300}, {2, 290}, {-50, 280}, {4, 270}}, false, Failure::ZeroTotalVolume, 3},
        {0.1, {{1, 300}, {0, 290}, {3, 280}}, true, Failure::NoPositiveH, 2},
        {-0.1, {{1, 300}, {2, 290}}, true, Failure::NoPositiveH, 1},
        {3e38, {{10, 300}}, true, Failure::NoPositiveH, 1},  // the single product overflows
        {0.1, {}, false, Failure::NoStartingLine, 0},
        {0.1, Points(7, {1.3, 300}), false, Failure::NoStartingLine, 0}};
    for (const auto& [acid, points, typed, failure, point] : cases) {
        CalibrationData data = titration(acid, 50, points, typed);
        const ModelOutcome outcome = computeInitialValues(data);
        EXPECT_EQ(outcome.failure, failure) << point;
        EXPECT_EQ(outcome.point, point);
    }
}

// Only the diagonal and upper triangle are filled, as the fit fills them.
SmallMatrix upper(const float (&m)[3][3])
{
    SmallMatrix a{};
    for (int i = 0; i < 3; ++i)
        for (int j = i; j < 3; ++j) a[i + 1][j + 1] = m[i][j];
    return a;
}

TEST(factorAndSolve, SolvesAndInvertsAKnownSystemAndRefusesABadOne)
{
    // The inverse of this tridiagonal matrix is [[3,-2,1],[-2,4,-2],[1,-2,3]] / 4.
    SmallMatrix a = upper({{2, 1, 0}, {1, 2, 1}, {0, 1, 2}});
    SmallVector b{0, 0, 0, 4}, d{};
    ASSERT_TRUE(factorAndSolve(a, b, d, 3));
    invertFactored(a, d, 3);
    const float x[3] = {1, -2, 3}, inverse[3][3] = {{3, -2, 1}, {-2, 4, -2}, {1, -2, 3}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(b[i + 1], x[i], 1e-6);
        for (int j = i; j < 3; ++j) EXPECT_NEAR(a[i + 1][j + 1], inverse[i][j] / 4, 1e-6);
    }
    // A zero pivot or a non-finite value fails without storing it.
    const std::pair<SmallMatrix, SmallVector> cases[] = {
        {upper({{1, 2, 3}, {2, 4, 5}, {3, 5, 9}}), {0, 1, 1, 1}},  // rows 1 and 2 proportional
        {upper({{1, 2, 0}, {2, 5, 0}, {0, 0, 0}}), {0, 1, 1, 1}},  // zero only in the last pivot
        {upper({{4, 2, NAN}, {2, 5, 1}, {0.5, 1, 3}}), {0, 1, 1, 1}},
        {upper({{4, 2, 0.5}, {2, 5, 1}, {0.5, 1, 3}}), {0, 1, INFINITY, 1}},
        {upper({{1e-30f, 0, 0}, {0, 1, 0}, {0, 0, 1}}), {0, 1e20f, 1, 1}}};  // beyond single range
    for (auto [a, b] : cases) {
        SmallVector d{};
        EXPECT_FALSE(factorAndSolve(a, b, d, 3));
        for (int i = 1; i <= 3; ++i)
            for (int j = 1; j <= i; ++j) EXPECT_TRUE(std::isfinite(i == j ? d[i] : a[i][j])) << i << j;
    }
}

TEST(ElectrodeModel, DerivativesAreThoseOfTheEquation)
{
    const std::pair<ElectrodeParameters, double> cases[] = {
        {{0, 405.4f, 59.2f, 60}, 1.3}, {{0, 400, -59, -200}, 0.4}, {{0, 380, 58, 0}, 7}};
    const auto slopeAt = [](auto f, double x) { return (f(x + 1e-6) - f(x - 1e-6)) / 2e-6; };
    for (const auto& [p, pH] : cases) {
        const double h = hydrogenAt(pH);
        EXPECT_NEAR(pHOf(h), pH, 1e-14);
        const auto emf = [&p](double pH, std::size_t k = 0, float dk = 0) {
            ElectrodeParameters q = p;
            q[k] += dk;
            return emfAt(q, Number::fromDouble(pH), Number::fromDouble(hydrogenAt(pH))).value();
        };
        const std::array<double, 4> x = designRow(pH, h);
        // The equation is linear in the parameters: a unit step is the derivative.
        for (std::size_t k = kEzero; k <= kJcorr; ++k)
            EXPECT_NEAR(x[k], emf(pH, k, 0.5f) - emf(pH, k, -0.5f), 1e-4 * (1 + std::abs(x[k]))) << pH << k;
        EXPECT_NEAR(emfMismatch(p, emf(pH), pH), 0, 1e-12);
        EXPECT_NEAR(mismatchPhSlope(p, h), -slopeAt(emf, pH), 1e-6 * (1 + std::abs(mismatchPhSlope(p, h))));
        const auto adjusted = [&p](double pH) {
            return adjustedEmf(p, Number::fromDouble(300), hydrogenAt(pH)).value();
        };
        EXPECT_NEAR(adjustedEmfPhSlope(p, h), slopeAt(adjusted, pH), 1e-6 * (1 + std::abs(adjustedEmfPhSlope(p, h))));
    }
}

TEST(findPhByFalsePosition, FindsTheRootOrFailsOrFindsNone)
{
    for (const float slope : {59.0f, -59.0f})
        for (const double pH : {0.3, 1.2, 6.5}) {
            const Inversion r = findPhByFalsePosition({0, 400, slope, 30}, 400 - slope * pH + 30 * std::pow(10.0, -pH));
            ASSERT_EQ(r.kind, Inversion::Kind::Root);
            // The 1E-5 bounds the end point's last move; false position can sit a little further off.
            EXPECT_NEAR(r.pH, pH, 2e-5) << slope;
        }
    const std::tuple<ElectrodeParameters, double, Inversion::Kind> cases[] = {
        {{0, 400, 59, 20}, NAN, Inversion::Kind::Failed},   {{0, 400, 59, 20}, INFINITY, Inversion::Kind::Failed},
        {{0, 400, 59, 20}, 1e200, Inversion::Kind::Failed}, {{0, 400, NAN, 20}, 300, Inversion::Kind::Failed},
        {{0, 400, 59, 20}, 450, Inversion::Kind::NoRoot},   {{0, 400, 59, 20}, -500, Inversion::Kind::NoRoot},
        {{0, 400, 0, 0}, 400, Inversion::Kind::NoRoot}};  // zero at both ends
    for (const auto& [p, emf, kind] : cases) EXPECT_EQ(findPhByFalsePosition(p, emf).kind, kind) << emf;
}

TEST(adjustData, RemovesTheJCorrTermAndStopsAtAFailedPoint)
{
    // Point 1 reads at pH 1.7: 400 - 59·1.7 + 20·10^-1.7.
    const double emf = 400 - 59 * 1.7 + 20 * std::pow(10.0, -1.7);
    AdjustmentData data{3, {}, {Number(), Number::fromDouble(emf), Number::fromDouble(NAN), Number::fromDouble(250)}};
    const AdjustmentResult result = adjustData(data, ReadingInversion({0, 400, 59, 20}, {200, 300, 1.5, 3}));
    EXPECT_EQ(result.failedPoint, 2);
    ASSERT_EQ(result.adjusted.size(), 1u);
    EXPECT_NEAR(result.adjusted[0], 400 - 59 * 1.7, 59 * 2e-5);
}

}  // namespace
}  // namespace quorlin
