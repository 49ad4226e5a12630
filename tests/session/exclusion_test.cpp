#include "session/session.h"
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
