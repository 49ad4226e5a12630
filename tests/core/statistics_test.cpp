#include "core/adjusted_uncertainty.h"
#include "core/inversion.h"
#include "core/point_exclusions.h"
#include "core/runs_test.h"
#include "support/double_fit.h"
#include "support/statistics_reference.h"

#include <gtest/gtest.h>

namespace quorlin {
namespace {

using namespace testing;

struct Fitted {
    CalibrationData data;
    FitResult fit;
    FitStatistics statistics;
};

Fitted fitted(const Points& points, double acid = 0.1)
{
    Fitted f{titration(acid, 50, points), {}, {}};
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
    EXPECT_FALSE(f.statistics.singlePrecisionMisleads()) << f.statistics.jointShift;
}

TEST(FitStatistics, FlagsOnlyAPlantedOutlier)
{
    Points points = noisyTitration();
    points[16].second += 1.0;  // about sixteen times the noise
    const Fitted f = fitted(points);
    ASSERT_EQ(f.statistics.outliers.size(), 1u);
    EXPECT_EQ(f.statistics.outliers[0].point, 17);
}

// The sample data (data/calibration.txt), and its first 8 points with point 4 raised by 5 mV.
const Points kSample{{0.10, 227.56}, {0.13, 234.65}, {0.18, 242.67}, {0.24, 250.23}, {0.33, 258.40},
                     {0.44, 265.81}, {0.60, 273.81}, {0.81, 281.40}, {1.09, 288.93}, {1.48, 297.07},
                     {2.01, 304.83}, {2.74, 312.87}, {3.75, 320.97}, {5.18, 329.40}, {7.22, 337.75}};

TEST(FitStatistics, MatchExactReferencesOnTheSampleAndAPlantedOutlier)
{
    Points planted(kSample.begin(), kSample.begin() + 8);
    planted[3].second = 255.23;
    const struct {
        Points points;
        std::vector<PointReference> reference;
        std::array<double, 6> covariance;
        std::vector<std::pair<std::int32_t, double>> p;  // every Bonferroni p below 1
        std::vector<std::int32_t> outliers;
        RunsTest runs;
        double jointShift;
    } cases[] = {
        {kSample,
         {{-1.483260702, -1.57145582, 0.3427226696, 0.3823912136},
          {2.196329403, 2.719245717, 0.2522813543, 0.5425261045},
          {-1.226145297, -1.255204893, 0.1710571377, 0.103413973},
          {0.3970615724, 0.3826796773, 0.1257921154, 0.00756193888},
          {0.2581564176, 0.2478551706, 0.1014244336, 0.002507451738},
          {0.3946299088, 0.3803051801, 0.09870901399, 0.00568526255},
          {0.6263122135, 0.609696242, 0.1106007609, 0.01626004967},
          {-0.6045680457, -0.5878516163, 0.129819496, 0.01817605771},
          {-1.68358524, -1.844388502, 0.1485276995, 0.1648108862},
          {0.8440601588, 0.8332391377, 0.159646528, 0.04511521455},
          {-0.3946017857, -0.3802777215, 0.1577241079, 0.009719424426},
          {0.09380599265, 0.08984534794, 0.1473317288, 0.0005068227426},
          {0.1460573719, 0.1399637513, 0.1556351856, 0.001310700211},
          {1.186204843, 1.208782681, 0.2599988779, 0.1647924181},
          {-1.159513064, -1.178106281, 0.6387288907, 0.7923432547}},
         {0.08097578542, 0.03127432794, -0.887620697, 0.01231067999, -0.3329987709, 11.57643398},
         {{2, 0.2993751471}},
         {},
         {9, 0.8671328671},
         0.0004432719356},
        {planted,
         {{-0.1541900227, -0.1382408019, 0.6056812799, 0.01217273157},
          {-0.1950692394, -0.1751429588, 0.3032094498, 0.00551946275},
          {-0.6470667272, -0.6046227411, 0.202161109, 0.03536382978},
          {2.23107983, 29.89236693, 0.2450702241, 0.5386330007},
          {-0.7916122169, -0.7570688218, 0.2971842753, 0.0883259013},
          {-0.6373601284, -0.5947441323, 0.2760814873, 0.05164117694},
          {-0.2403239544, -0.2162046091, 0.2752260739, 0.007310715474},
          {0.6845273668, 0.6431370706, 0.7953861006, 0.6071601253}},
         {621.0151658, 207.1213247, -26183.57326, 69.25623782, -8648.967519, 1170780.636},
         {{4, 5.967147105e-05}},
         {4},
         {4, 1.0},
         1.5125598998e-05},
    };
    for (const auto& c : cases) {
        const Fitted f = fitted(c.points, 0.5);
        const FitStatistics& s = f.statistics;
        ASSERT_TRUE(s.identifiable && !s.exactFit);
        expectReference(s, c.reference, c.covariance);
        for (std::size_t i = 0; i < c.reference.size(); ++i) {
            const auto listed = std::find_if(c.p.begin(), c.p.end(), [i](auto& p) { return p.first == int(i) + 1; });
            EXPECT_NEAR(bonferroniP(s.externallyStudentized[i], s.points), listed == c.p.end() ? 1.0 : listed->second,
                        1e-8 * (listed == c.p.end() ? 1.0 : listed->second));
        }
        std::vector<std::int32_t> outliers;
        for (const OutlierCandidate& o : s.outliers) outliers.push_back(o.point);
        EXPECT_EQ(outliers, c.outliers);
        ASSERT_TRUE(s.runs);
        EXPECT_EQ(s.runs->runs, c.runs.runs);
        EXPECT_NEAR(s.runs->p, c.runs.p, 1e-9);
        EXPECT_NEAR(s.jointShift, c.jointShift, 1e-6 * c.jointShift);
    }
}

// Six points at two volumes leave one direction of the parameters free; ten within 1% of
// one volume do not, however ill-conditioned.
TEST(FitStatistics, SayWhenThePointsDoNotDetermineTheParameters)
{
    const Points two{{0.5, 250.0}, {0.5, 250.3}, {0.5, 249.8}, {3.0, 300.0}, {3.0, 300.2}, {3.0, 299.9}};
    Points narrow;
    for (int i = 0; i < 10; ++i) narrow.emplace_back(1 + 0.001 * i, 250 + 0.01 * i);
    for (const auto& [points, determined] : {std::pair(two, false), std::pair(narrow, true)}) {
        const Fitted f = fitted(points, 0.5);
        const FitStatistics& s = f.statistics;
        EXPECT_EQ(s.identifiable, determined);
        if (determined) continue;
        EXPECT_FALSE(s.singlePrecisionMisleads());
        EXPECT_TRUE(s.outliers.empty() && !s.runs);
        for (const double value : {s.correlation[1][2], s.ci95[1], s.covariance[3][3], s.jointShift, s.studentized[0],
                                   s.externallyStudentized[5], s.leverage[2], s.cooksDistance[4]})
            EXPECT_TRUE(std::isnan(value));
    }
}

TEST(FitStatistics, AnExactFitHasNoStudentisedValuesAndNoPrecisionCheck)
{
    Points points;
    for (int i = 1; i <= 12; ++i) points.emplace_back(0.5 * i, ElectrodeModel{}.emf(0.5 * i));
    const Fitted f = fitted(points);
    EXPECT_TRUE(f.statistics.exactFit);
    EXPECT_FALSE(f.statistics.singlePrecisionMisleads());
    EXPECT_TRUE(f.statistics.outliers.empty() && !f.statistics.runs);
    EXPECT_TRUE(std::isnan(f.statistics.studentized[3]) && std::isnan(f.statistics.cooksDistance[3]));
    EXPECT_GT(f.statistics.leverage[3], 0.0);
}

// Exact p from the distribution of the number of runs, in rational arithmetic.
TEST(RunsTest, TwoSidedExactP)
{
    std::vector<double> pattern;
    for (int i = 0; i < 200; ++i) pattern.push_back(i % 7 < 3 ? -1.0 : 1.0);
    const std::tuple<std::vector<double>, std::int32_t, double> table[] = {
        {{1, 1, 1, 1, -1, -1, -1, -1}, 2, 0.05714285714285714},
        {{1, -1, 1, -1, 1, -1, 1, -1}, 8, 0.05714285714285714},
        {{1, 0, -1, -2, 0, 3, 1, -1, 1}, 5, 0.9142857142857143},
        {pattern, 58, 2.603537859514012e-09},
        {{1, 2, 0}, 1, 1.0},
    };
    for (const auto& [signs, runs, p] : table) {
        const RunsTest test = runsTest(signs);
        EXPECT_EQ(test.runs, runs);
        EXPECT_NEAR(test.p, p, 1e-9 * p) << runs;
    }
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
