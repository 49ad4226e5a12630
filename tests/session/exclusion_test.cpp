#include "session/fit_details.h"
#include "session/point_editing.h"
#include "session/report.h"
#include "session/session.h"
#include "support/temp_folder.h"
#include "support/titration.h"

#include <gtest/gtest.h>

namespace quorlin {
namespace {

const testing::TempFolder kFolder;

Session loaded(const std::string& text)
{
    Session s;
    s.loadCalibrationFile(kFolder.write("cal.txt", text));
    return s;
}

TEST(Exclusions, FitAsIfThePointsWereDeletedAndClearOnLoad)
{
    const std::string text = testing::CalibrationFileText({}, 15);
    for (const std::vector<std::int32_t>& left : {std::vector<std::int32_t>{3, 7}, {1, 15}, {2, 4, 6, 8, 10}}) {
        Session excluded = loaded(text), deleted = loaded(text);
        for (auto it = left.rbegin(); it != left.rend(); ++it) {
            excluded.exclusions().toggle(*it);
            removePoint(deleted.calibration(), *it);
        }
        ASSERT_TRUE(excluded.calibrate().converged() && deleted.calibrate().converged());
        EXPECT_EQ(excluded.captions().parameter, deleted.captions().parameter);
        EXPECT_EQ(excluded.lastFit()->parameters, deleted.lastFit()->parameters);
        EXPECT_EQ(excluded.lastStatistics()->studentized, deleted.lastStatistics()->studentized);
        EXPECT_EQ(excluded.fittedData().residual, deleted.calibration().residual);
        // Every point keeps its own model values, the excluded ones too.
        const CalibrationData& all = excluded.calibration();
        for (std::int32_t i = 1; i <= all.count; ++i) {
            const double calculated = 405 - 59.1 * all.pH[i].value() + 25 * all.hydrogen[i].value();
            EXPECT_NEAR(all.emf[i].value() - all.residual[i].value(), calculated, 0.5) << i;
            EXPECT_EQ(std::isnan(excluded.studentizedResidual(i)), excluded.exclusions().contains(i)) << i;
        }
        excluded.loadCalibrationFile(kFolder.write("cal.txt", text));
        EXPECT_TRUE(excluded.exclusions().empty());
    }
}

TEST(Exclusions, TheSixPointRuleCountsIncludedPoints)
{
    Session s = loaded(testing::CalibrationFileText({}, 7));
    s.exclusions().toggle(4);
    EXPECT_TRUE(s.calibrate().converged());
    s.exclusions().toggle(5);
    EXPECT_EQ(s.calibrate().outcome, CalibrationOutcome::TooFewPoints);
}

// Readings to a microvolt of an ideal electrode: the double optimum is far sharper than
// single precision can place the parameters.
TEST(FitDetails, WarnsWhenSinglePrecisionMissesTheOptimumAndTheReportSaysSo)
{
    std::string text = "0.1\t50\r\n";
    for (int i = 0; i < 15; ++i) {
        const double v = std::round(50 * std::pow(25.0, i / 14.0)) / 100;
        text += testing::FileNumber(v) + "\t" + std::to_string(testing::ElectrodeModel{}.emf(v)) + "\r\n";
    }
    for (const bool exact : {true, false}) {
        Session s = loaded(exact ? text : testing::CalibrationFileText({}, 15));
        ASSERT_TRUE(s.calibrate().converged());
        const std::string warning = precisionWarning(*s.lastFit(), *s.lastStatistics());
        EXPECT_EQ(warning.empty(), !exact) << warning;
        const std::string report = calibrationReportHtml(s, {});
        EXPECT_EQ(report.find(kPrecisionWarningStart) != std::string::npos, exact);
        EXPECT_NE(report.find(warning), std::string::npos);
    }
}

}  // namespace
}  // namespace quorlin
