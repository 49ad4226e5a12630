#include "session/session.h"
#include "support/statistics_reference.h"
#include "support/temp_folder.h"
#include "support/titration.h"
#include "wording/captions.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quorlin {
namespace {

const testing::TempFolder kFolder;

TEST(Exclusions, FitAsIfThePointsWereDeletedAndClearOnLoad)
{
    const std::string path = kFolder.write("cal.txt", testing::CalibrationFileText({}, 15));
    for (const std::vector<std::int32_t>& left : {std::vector<std::int32_t>{3, 7}, {1, 15}, {2, 4, 6, 8, 10}}) {
        Session excluded, deleted;
        ASSERT_TRUE(excluded.loadCalibrationFile(path).ok && deleted.loadCalibrationFile(path).ok);
        for (auto it = left.rbegin(); it != left.rend(); ++it) {
            excluded.toggleExclusion(*it);
            deleted.deletePoint(DataSet::Calibration, *it);
        }
        const CalibrationExtras extras{.statistics = true};
        ASSERT_TRUE(excluded.calibrate(extras).converged() && deleted.calibrate(extras).converged());
        const CalibrationRecord& e = *excluded.calibration().record();
        const CalibrationRecord& d = *deleted.calibration().record();
        EXPECT_EQ(parameterCaptions(excluded).parameter, parameterCaptions(deleted).parameter);
        EXPECT_EQ(e.fit.parameters, d.fit.parameters);
        EXPECT_EQ(e.statistics->studentized, d.statistics->studentized);
        EXPECT_EQ(e.fittedResiduals(), d.fittedResiduals());
        // Every point keeps its own model values, the excluded ones too.
        const CalibrationData& all = e.allPoints();
        for (std::int32_t i = 1; i <= all.count; ++i) {
            const double calculated = 405 - 59.1 * all.pH[i].value() + 25 * all.hydrogen[i].value();
            EXPECT_NEAR(all.emf[i].value() - e.allResiduals()[i].value(), calculated, 0.5) << i;
            EXPECT_EQ(std::isnan(e.studentizedResidual(i)), e.input->exclusions.contains(i)) << i;
        }
        excluded.loadCalibrationFile(path);
        EXPECT_TRUE(excluded.calibration().exclusions().empty());
    }
}

// Points 3 and 15 of the sample left out: statistics of the 13 others, each as the grid numbers it.
TEST(Exclusions, StatisticsOfTheFittedPointsMatchExactReferences)
{
    Session s;
    ASSERT_TRUE(s.loadCalibrationFile(QUORLIN_SAMPLE_DATA "/calibration.txt").ok);
    s.toggleExclusion(3);
    s.toggleExclusion(15);
    ASSERT_TRUE(s.calibrate({.statistics = true}).converged());
    const CalibrationRecord& record = *s.calibration().record();
    testing::expectReference(*record.statistics,
                             {{-2.400702854, -3.499045661, 0.4351140704, 1.479782657},
                              {1.895778897, 2.247060231, 0.3143748254, 0.5493069831},
                              {0.2244129954, 0.2134349809, 0.1505797359, 0.002975902265},
                              {0.1978042281, 0.1880217598, 0.1213449656, 0.001801163957},
                              {0.4368012886, 0.4183967172, 0.119363293, 0.008620264167},
                              {0.766347881, 0.7493588746, 0.1339572268, 0.03028011172},
                              {-0.4913249813, -0.4718417303, 0.1539319101, 0.01463995631},
                              {-1.618114987, -1.786702829, 0.1684931187, 0.1768535685},
                              {1.038442023, 1.04299255, 0.1696906865, 0.07346176378},
                              {-0.3617230167, -0.3454278757, 0.158459613, 0.008212486361},
                              {-0.02308373168, -0.02189973418, 0.1612139001, 3.413831173e-05},
                              {-0.2738874111, -0.2608124874, 0.2595573536, 0.008765259946},
                              {0.4914517135, 0.4719664489, 0.6539193007, 0.1521203194}},
                             {0.1086126062, 0.04147881733, -1.437679732, 0.01610202291, -0.5333162119, 22.31763383});
    EXPECT_NEAR(bonferroniP(record.statistics->externallyStudentized[0], 13), 0.08753701739, 1e-9);
    EXPECT_TRUE(record.statistics->outliers.empty());
    EXPECT_EQ(record.statistics->runs->runs, 6);
    EXPECT_NEAR(record.statistics->runs->p, 0.5920745921, 1e-9);
    EXPECT_EQ(record.pointStatistic(&FitStatistics::leverage, 14), record.statistics->leverage.back());
    EXPECT_TRUE(std::isnan(record.pointStatistic(&FitStatistics::cooksDistance, 15)));
}

TEST(Exclusions, TheSixPointRuleCountsIncludedPoints)
{
    Session s;
    s.loadCalibrationFile(kFolder.write("seven.txt", testing::CalibrationFileText({}, 7)));
    s.toggleExclusion(4);
    EXPECT_TRUE(s.calibrate().converged());
    s.toggleExclusion(5);
    EXPECT_EQ(s.calibrate().outcome, CalibrationOutcome::TooFewPoints);
}

}  // namespace
}  // namespace quorlin
