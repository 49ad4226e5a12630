#include "core/adjusted_uncertainty.h"
#include "core/inversion.h"
#include "core/point_exclusions.h"
#include "core/runs_test.h"
#include "support/double_fit.h"

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

// The sample data (data/calibration.txt).
const Points kSample{{0.10, 227.56}, {0.13, 234.65}, {0.18, 242.67}, {0.24, 250.23}, {0.33, 258.40},
                     {0.44, 265.81}, {0.60, 273.81}, {0.81, 281.40}, {1.09, 288.93}, {1.48, 297.07},
                     {2.01, 304.83}, {2.74, 312.87}, {3.75, 320.97}, {5.18, 329.40}, {7.22, 337.75}};

// Reference values computed once outside the program: exact rational least squares
// (Python's fractions) on the design as the program forms it in double ([H+] = C·v/(v + V0),
// pH = −ln [H+] / ln 10), square roots and Student's t tails by mpmath to 50 digits. Each
// table holds the covariance's upper triangle (EE, ES, EJ, SS, SJ, JJ), then per point the
// internally and externally studentised residual, the leverage and Cook's distance. The
// cases: the sample; its first 8 points with point 4 raised by 5 mV; the sample with points 3
// and 15 left out (deleted, as the fit leaves them out; its first four points).
TEST(FitStatistics, MatchExactReferencesOnTheSampleAPlantedOutlierAndPointsLeftOut)
{
    Points planted(kSample.begin(), kSample.begin() + 8), leftOut = kSample;
    planted[3].second = 255.23;
    leftOut.erase(leftOut.begin() + 14);
    leftOut.erase(leftOut.begin() + 2);
    const std::vector<double> sample = {
        0.0809757854,  0.0312743279,  -0.887620697, 0.01231068,   -0.332998771,   11.576434,    -1.4832607,
        -1.57145582,   0.34272267,    0.382391214,  2.1963294,    2.71924572,     0.252281354,  0.542526104,
        -1.2261453,    -1.25520489,   0.171057138,  0.103413973,  0.397061572,    0.382679677,  0.125792115,
        0.00756193888, 0.258156418,   0.247855171,  0.101424434,  0.00250745174,  0.394629909,  0.38030518,
        0.098709014,   0.00568526255, 0.626312213,  0.609696242,  0.110600761,    0.0162600497, -0.604568046,
        -0.587851616,  0.129819496,   0.0181760577, -1.68358524,  -1.8443885,     0.1485277,    0.164810886,
        0.844060159,   0.833239138,   0.159646528,  0.0451152146, -0.394601786,   -0.380277722, 0.157724108,
        0.00971942443, 0.0938059927,  0.0898453479, 0.147331729,  0.000506822743, 0.146057372,  0.139963751,
        0.155635186,   0.00131070021, 1.18620484,   1.20878268,   0.259998878,    0.164792418,  -1.15951306,
        -1.17810628,   0.638728891,   0.792343255};
    const std::vector<double> outlier = {
        621.015166,  207.121325,    -26183.5733,  69.2562378,   -8648.96752, 1170780.64,    -0.154190023, -0.138240802,
        0.60568128,  0.0121727316,  -0.195069239, -0.175142959, 0.30320945,  0.00551946275, -0.647066727, -0.604622741,
        0.202161109, 0.0353638298,  2.23107983,   29.8923669,   0.245070224, 0.538633001,   -0.791612217, -0.757068822,
        0.297184275, 0.0883259013,  -0.637360128, -0.594744132, 0.276081487, 0.0516411769,  -0.240323954, -0.216204609,
        0.275226074, 0.00731071547, 0.684527367,  0.643137071,  0.795386101, 0.607160125};
    const std::vector<double> left = {0.108612606, 0.0414788173, -1.43767973, 0.0161020229, -0.533316212, 22.3176338,
                                      -2.40070285, -3.49904566,  0.43511407,  1.47978266,   1.8957789,    2.24706023,
                                      0.314374825, 0.549306983,  0.224412995, 0.213434981,  0.150579736,  0.00297590227,
                                      0.197804228, 0.18802176,   0.121344966, 0.00180116396};
    const struct {
        Points points;
        const std::vector<double>& reference;
        std::int32_t lowest;  // the point of the lowest Bonferroni p, that p, and whether it is a candidate
        double p;
        bool candidate;
        RunsTest runs;
        double jointShift, t95;  // and Student's t for the 95% intervals
    } cases[] = {
        {kSample, sample, 2, 0.2993751471, false, {9, 0.8671328671}, 0.0004432719356, 2.178812829667},
        {planted, outlier, 4, 5.967147105e-05, true, {4, 1.0}, 1.5125598998e-05, 2.570581835636},
        {leftOut, left, 1, 0.08753701739, false, {6, 0.5920745921}, 0.0003682495967, 2.228138851986},
    };
    const auto near = [](double value, double reference) {
        return std::abs(value - reference) <= 1e-8 * std::abs(reference);
    };
    for (const auto& c : cases) {
        const FitStatistics s = fitted(c.points, 0.5).statistics;
        ASSERT_TRUE(s.identifiable && !s.exactFit && s.runs);
        for (std::size_t i = kEzero, k = 0; i <= kJcorr; ++i)
            for (std::size_t j = i; j <= kJcorr; ++j, ++k)
                EXPECT_TRUE(near(s.covariance[i][j], c.reference[k]) && s.covariance[i][j] == s.covariance[j][i]);
        for (std::size_t i = 0, k = 6; k < c.reference.size(); ++i, k += 4)
            EXPECT_TRUE(near(s.studentized[i], c.reference[k]) && near(s.externallyStudentized[i], c.reference[k + 1])
                        && near(s.leverage[i], c.reference[k + 2]) && near(s.cooksDistance[i], c.reference[k + 3]))
                << "point " << i + 1;
        std::vector<double> p;
        for (const double t : s.externallyStudentized) p.push_back(bonferroniP(t, s.points));
        EXPECT_NEAR(p[static_cast<std::size_t>(c.lowest - 1)], c.p, 1e-8 * c.p);
        EXPECT_EQ(std::count(p.begin(), p.end(), 1.0), s.points - 1 - (c.lowest == 1));  // there point 2's is 0.666
        EXPECT_EQ(s.outliers.size(), c.candidate ? 1u : 0u);
        EXPECT_TRUE(s.runs->runs == c.runs.runs && std::abs(s.runs->p - c.runs.p) < 1e-9);
        EXPECT_NEAR(s.jointShift, c.jointShift, 1e-6 * c.jointShift);
        EXPECT_NEAR(s.ci95[kSlope], c.t95 * s.sigma[kSlope], 1e-9 * s.ci95[kSlope]);
    }
}

// Six points at two volumes leave one direction of the parameters free; ten within 1% of
// one volume do not, however ill-conditioned; noise-free points fit exactly.
TEST(FitStatistics, UndeterminedAndExactFitsHaveNoStudentisedValuesTestsOrPrecisionCheck)
{
    const Points two{{0.5, 250.0}, {0.5, 250.3}, {0.5, 249.8}, {3.0, 300.0}, {3.0, 300.2}, {3.0, 299.9}};
    Points narrow, exact;
    for (int i = 0; i < 10; ++i) narrow.emplace_back(1 + 0.001 * i, 250 + 0.01 * i);
    for (int i = 1; i <= 12; ++i) exact.emplace_back(0.05 * i, ElectrodeModel{.acid = 0.5}.emf(0.05 * i));
    for (const auto& [points, determined, exactFit] :
         {std::tuple(two, false, false), std::tuple(narrow, true, false), std::tuple(exact, true, true)}) {
        const FitStatistics s = fitted(points, 0.5).statistics;
        EXPECT_TRUE(s.identifiable == determined && s.exactFit == exactFit) << points.size();
        if (determined && !exactFit) continue;
        EXPECT_TRUE(!s.singlePrecisionMisleads() && s.outliers.empty() && !s.runs);
        EXPECT_TRUE(std::isnan(s.studentized[0]) && std::isnan(s.externallyStudentized[5])
                    && std::isnan(s.cooksDistance[4]));
        EXPECT_EQ(std::isnan(s.leverage[2]) && std::isnan(s.covariance[3][3]) && std::isnan(s.correlation[1][2]),
                  !determined);
    }
}

// Exact p from the distribution of the number of runs, in rational arithmetic.
TEST(RunsTest, TwoSidedExactP)
{
    std::vector<double> pattern;
    for (int i = 0; i < 200; ++i) pattern.push_back(i % 7 < 3 ? -1.0 : 1.0);
    const std::tuple<std::vector<double>, std::int32_t, double> table[] = {
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
