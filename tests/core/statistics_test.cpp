#include "core/adjusted_uncertainty.h"
#include "core/inversion.h"
#include "core/point_exclusions.h"
#include "core/student_t.h"
#include "support/double_fit.h"

#include <gtest/gtest.h>

namespace quorlin {
namespace {

using namespace testing;

TEST(StudentT, QuantilesMatchTheTables)
{
    const std::tuple<double, double, double> table[] = {
        {0.975, 1, 12.7062047362}, {0.975, 3, 3.18244631},   {0.975, 12, 2.17881283}, {0.975, 37, 2.02619246},
        {0.995, 5, 4.03214298},    {0.025, 30, -2.04227246}, {0.975, 1e6, 1.95996636}};
    for (const auto& [p, dof, t] : table) EXPECT_NEAR(studentTQuantile(p, dof), t, 2e-8) << p << ' ' << dof;
}

struct Fitted {
    CalibrationData data;
    FitResult fit;
    FitStatistics statistics;
};

Fitted fitted(const Points& points)
{
    Fitted f{titration(0.1, 50, points), {}, {}};
    const ModelOutcome line = computeInitialValues(f.data);
    f.fit = fitParameters(f.data, shownStart(line));
    f.statistics = computeFitStatistics(f.data, f.fit).value();
    return f;
}

TEST(FitStatistics, TextbookFormulasOnANoisyTitration)
{
    const Fitted f = fitted(noisyTitration());
    const DoubleFit ls = solveInDouble(f.data);
    const double variance = ls.sum / 37, t = 2.02619246;
    for (std::size_t j = kEzero; j <= kJcorr; ++j) {
        EXPECT_NEAR(f.statistics.parameters[j], ls.params[j], 1e-9 * std::abs(ls.params[j]));
        EXPECT_NEAR(f.statistics.ci95[j], t * ls.sigma[j], 1e-7 * ls.sigma[j]);
        for (std::size_t k = kEzero; k <= kJcorr; ++k)
            EXPECT_NEAR(f.statistics.correlation[j][k],
                        ls.inverse[j][k] / std::sqrt(ls.inverse[j][j] * ls.inverse[k][k]), 1e-9);
    }
    ASSERT_EQ(f.statistics.studentized.size(), 40u);
    for (std::int32_t i = 1; i <= 40; ++i) {
        const std::array<double, 4> x{0, 1, -f.data.pH[i].value(), f.data.hydrogen[i].value()};
        double leverage = 0, fitted = 0;
        for (std::size_t j = 1; j <= 3; ++j) {
            fitted += x[j] * ls.params[j];
            for (std::size_t k = 1; k <= 3; ++k) leverage += x[j] * ls.inverse[j][k] * x[k];
        }
        const double r = (f.data.emf[i].value() - fitted) / std::sqrt(variance * (1 - leverage));
        EXPECT_NEAR(f.statistics.studentized[static_cast<std::size_t>(i - 1)], r, 1e-7) << i;
    }
    EXPECT_FALSE(f.statistics.singlePrecisionMisleads()) << f.statistics.maxSigmaShift;
}

TEST(FitStatistics, FlagsOnlyAPlantedOutlier)
{
    Points points = noisyTitration();
    points[16].second += 1.0;  // about sixteen times the noise
    const Fitted f = fitted(points);
    for (std::size_t i = 0; i < points.size(); ++i)
        EXPECT_EQ(FitStatistics::isOutlier(f.statistics.studentized[i]), i == 16) << f.statistics.studentized[i];
}

TEST(AdjustedUncertainty, GradientAndSigmaMatchFiniteDifferences)
{
    const Fitted f = fitted(noisyTitration());
    // The adjusted emf with its pH solved by bisection to the last bit, in double parameters.
    const auto adjusted = [](std::array<double, 4> p, double emf) {
        double low = 0, high = 14;
        const auto mismatch = [&](double pH) { return emf - (p[1] - p[2] * pH + p[3] * std::pow(10, -pH)); };
        for (int i = 0; i < 200; ++i)
            ((mismatch(low) < 0) == (mismatch((low + high) / 2) < 0) ? low : high) = (low + high) / 2;
        return emf - p[3] * std::pow(10, -low);
    };
    for (const double emf : {230.0, 290.0, 330.0}) {
        std::array<double, 4> jacobian{}, p{};
        for (std::size_t k = 1; k <= 3; ++k) p[k] = f.fit.parameters[k];
        for (std::size_t k = 1; k <= 3; ++k) {
            std::array<double, 4> up = p, down = p;
            up[k] += 1e-4, down[k] -= 1e-4;
            jacobian[k] = (adjusted(up, emf) - adjusted(down, emf)) / 2e-4;
        }
        const Inversion root = findPhByFalsePosition(f.fit.parameters, emf);
        const std::array<double, 4> gradient = adjustedEmfGradient(f.fit.parameters, root.pH, true);
        double variance = 0;
        for (std::size_t j = 1; j <= 3; ++j) {
            EXPECT_NEAR(gradient[j], jacobian[j], 1e-5 * (1 + std::abs(jacobian[j]))) << emf << ' ' << j;
            for (std::size_t k = 1; k <= 3; ++k) variance += jacobian[j] * f.statistics.covariance[j][k] * jacobian[k];
        }
        EXPECT_NEAR(adjustedEmfSigma(f.fit.parameters, f.statistics.covariance, root), std::sqrt(variance),
                    1e-4 * std::sqrt(variance));
    }
}

TEST(PointExclusions, FollowTheirPointsThroughInsertionsAndRemovals)
{
    PointExclusions e;
    for (const std::int32_t p : {7, 3, 9, 9}) e.toggle(p);
    EXPECT_EQ(e.points(), (std::vector<std::int32_t>{3, 7}));
    e.pointInserted(5);  // 7 moves to 8
    e.pointRemoved(3);   // 3 goes, 8 moves to 7
    e.pointRemoved(1);
    EXPECT_EQ(e.points(), (std::vector<std::int32_t>{6}));
    EXPECT_TRUE(e.contains(6) && !e.contains(7));
}

}  // namespace
}  // namespace quorlin
