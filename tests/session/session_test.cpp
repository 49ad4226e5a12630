#include "session/plot_export.h"
#include "session/point_editing.h"
#include "session/session.h"
#include "support/temp_folder.h"
#include "support/titration.h"
#include "wording/captions.h"
#include "wording/messages.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <tuple>
#include <utility>

namespace quorlin {
namespace {

using Texts = std::vector<std::string>;

Texts shown(const Session& s)
{
    const Captions c = parameterCaptions(s);
    return {c.parameter[kEzero], c.parameter[kSlope], c.parameter[kJcorr], c.rmsError};
}

const testing::TempFolder kFolder;
const std::string kSample = QUORLIN_SAMPLE_DATA "/calibration.txt";

// A calibration file of `points` points from the model electrode.
std::string titrationFile(int points)
{
    return kFolder.write("cal" + std::to_string(points) + ".txt", testing::CalibrationFileText({}, points));
}

TEST(Session, SampleDataCalibrateAndAdjustInEitherConvention)
{
    const std::pair<RegionalSettings, Texts> cases[] = {
        {{'.', ','}, {"405.1±0.3", "59.13±0.10", "58.8±3", "Rms error = 0.1129"}},
        {{',', '.'}, {"405,1±0,3", "59,13±0,10", "58,8±3", "Rms error = 0,1129"}}};
    for (const auto& [regional, captions] : cases) {
        Session s(regional);
        ASSERT_TRUE(s.loadCalibrationFile(kSample).ok);
        ASSERT_TRUE(s.loadAdjustmentFile(QUORLIN_SAMPLE_DATA "/adjustment.txt").ok);
        EXPECT_TRUE(s.calibrate().converged());
        EXPECT_EQ(shown(s), captions);
        const AdjustmentReport report = s.adjust();
        ASSERT_EQ(report.texts.size(), static_cast<std::size_t>(s.adjustment().count()));
        // j corr·[H+], positive and a few mV at most, comes off each reading.
        for (std::size_t i = 1; const std::string& t : report.texts) {
            EXPECT_EQ(t.find(regional.decimalSeparator), t.size() - 3) << t;
            EXPECT_NEAR(textToNumber(t, regional).number.value(), s.adjustment().points().emf[i++].value() - 2.5, 2.5);
        }
    }
}

TEST(Session, CalibrateChecksComeBeforeTheFit)
{
    using enum CalibrationOutcome;
    const std::tuple<int, void (*)(Session&), CalibrationOutcome, int, std::string> cases[] = {
        {15, [](Session&) {}, Converged, 0, ""},
        {5, [](Session&) {}, TooFewPoints, 0, ""},
        {15, [](Session& s) { s.setConstantText(0, " \t"); }, MissingConstant, 0, ""},
        {15, [](Session& s) { s.setConstantText(1, ""); }, MissingConstant, 1, ""},
        {15, [](Session& s) { s.setConstantText(0, "0.1 M"); }, InvalidConstant, 0,
         "Acid concentration: invalid entry for number"},
        {15, [](Session& s) { s.setConstantText(1, "1e39"); }, InvalidConstant, 1,
         "Initial volume: invalid entry for number"},
        // The first volume is 0.5 ml.
        {15, [](Session& s) { s.setConstantText(1, "-0.5"); }, ModelError, 0,
         "Point 1: volume plus initial volume is zero"},
        {15,
         [](Session& s) {
             s.editCell(DataSet::Calibration, {2, 1}, "-50");
         },
         ModelError, 0, "Point 2: volume plus initial volume is zero"}};
    for (const auto& [points, change, outcome, missing, message] : cases) {
        Session s;
        s.loadCalibrationFile(titrationFile(points));
        change(s);
        const CalibrationReport report = s.calibrate();
        EXPECT_EQ(outcomeName(report.outcome), outcomeName(outcome));
        EXPECT_EQ(report.missingConstant, missing) << outcomeName(outcome);
        EXPECT_EQ(calibrationMessage(report), message);
    }
    // Points typed by hand have no file until they are saved.
    Session typed;
    for (int i = 0; i < 6; ++i) typed.insertPoint(DataSet::Calibration, i);
    EXPECT_EQ(typed.calibrate().outcome, NoFile);
}

// The calibration of other data is no result for these: a load ends its force, and what
// then does not converge shows starting values, or none, and adjusts nothing.
TEST(Session, ALoadEndsTheForceOfTheCalibrationBefore)
{
    const std::string zeroFirst = kFolder.write("zero.txt", "0.1\t50\r\n0\t150.2\r\n.5\t250\r\n");
    for (const auto& [file, captions] : {std::pair{titrationFile(5), Texts{"406.02", "59.45", "0.0", ""}},
                                         std::pair{zeroFirst, Texts{"?", "?", "?", ""}}}) {
        Session s;
        ASSERT_TRUE(s.loadCalibrationFile(kSample).ok && s.calibrate().converged());
        ASSERT_TRUE(s.loadAdjustmentFile(QUORLIN_SAMPLE_DATA "/adjustment.txt").ok);
        ASSERT_TRUE(s.loadCalibrationFile(file).ok);
        EXPECT_FALSE(s.calibrate().converged());
        EXPECT_EQ(shown(s), captions);
        EXPECT_TRUE(!s.canAdjust() && s.adjust().texts.empty() && s.adjustedRecords().front().second.empty());
        EXPECT_NE(adjustmentRefusal(s), "");
    }
}

// A failed calibrate of edited data keeps the calibration of the data as they were, out
// of date; the plots show its points, never the new emf beside the old pH.
TEST(Session, EditsLeaveTheRecordAsFittedUntilTheNextCalibration)
{
    Session s;
    ASSERT_TRUE(s.loadCalibrationFile(kSample).ok && s.calibrate().converged());
    const std::shared_ptr<const CalibrationRecord> record = s.calibration().record();
    const Texts fitted = shown(s);
    s.editCell(DataSet::Calibration, {4, 2}, "260");
    s.editCell(DataSet::Calibration, {2, 1}, "-50");
    EXPECT_EQ(s.calibrate().outcome, CalibrationOutcome::ModelError);
    EXPECT_EQ(s.calibration().record(), record);
    EXPECT_TRUE(s.calibration().outOfDate());
    EXPECT_EQ(shown(s), fitted);
    const PlotSource plot = plotSource(s);
    EXPECT_TRUE(plot.faded);
    EXPECT_EQ(plot.data->emf[4].value(), 250.23);
    // Undone back to the data fitted, the results are current again.
    while (s.undo()) {}
    EXPECT_FALSE(s.calibration().outOfDate());
}

TEST(Session, ACommitOfTheTextShownChangesNothing)
{
    Session s;
    ASSERT_TRUE(s.loadCalibrationFile(kSample).ok && s.calibrate().converged());
    const CalibrationState* state = &s.calibration().state();
    for (const PointCell cell : {PointCell{1, 1}, PointCell{15, 2}})
        EXPECT_FALSE(s.editCell(DataSet::Calibration, cell, s.calibration().text(cell)).changed);
    EXPECT_FALSE(s.setConstantText(1, s.calibration().constantTexts()[1]).outOfRange);
    EXPECT_EQ(&s.calibration().state(), state);
    EXPECT_EQ(s.history().nextUndo(), nullptr);
    // A typed number keeps its text, but changes the value's precision and so the data.
    EXPECT_TRUE(s.editCell(DataSet::Calibration, {1, 2}, "227.56").changed);
    EXPECT_EQ(s.calibration().text({1, 2}), "227.56");
    EXPECT_TRUE(s.calibration().outOfDate());
}

// Adjusted points check and write their records as the general way does with the records
// made by the general formatters, in either convention and in one whose separator a file
// cannot hold: volumes at the far ends of the range, not finite or empty, adjusted values
// that show as zero and beyond the plain range.
TEST(AdjustedPoints, CheckAndWriteTheirRecordsAsTheGeneralWay)
{
    const auto d = Number::fromDouble;
    const std::pair<Number, double> points[] = {
        {d(12.5), 284.345}, {d(0), 0.004},          {d(-0.0), -0.005},   {d(0), 0.005},
        {Number(), 0.0},    {d(1e-301), 0.0},       {d(1e-320), 1.0},    {d(1e301), 1.0},
        {d(DBL_MAX), 5.0},  {d(NAN), 1.0},          {d(-HUGE_VAL), 1.0}, {Number::fromSingle(0.1f), 1e15},
        {d(1), -2e300},     {d(DBL_TRUE_MIN), 1.0}, {d(1), DBL_MAX},     {d(0), -DBL_TRUE_MIN},
        {d(1e-5), 0.25}};
    const RegionalSettings conventions[] = {{'.', ','}, {',', '.'}, {';', ' '}};
    for (const RegionalSettings& regional : conventions) {
        // Each point after an ordinary one, then all of them in a row.
        std::vector<std::vector<std::pair<Number, double>>> sets;
        for (const auto& point : points) sets.push_back({points[0], point});
        sets.emplace_back(std::begin(points), std::end(points));
        for (const auto& set : sets) {
            AdjustmentData data{static_cast<std::int32_t>(set.size()), {Number()}, {}};
            auto result = std::make_shared<AdjustmentResult>();
            std::vector<TextRecord> records;
            for (const auto& [volume, adjusted] : set) {
                data.volume.push_back(volume);
                result->adjusted.push_back(adjusted);
                records.push_back({pointNumberText(volume), formatNumber(adjusted, "###0.00", regional)});
            }
            const AdjustedPoints adjusted(data, result, regional);
            EXPECT_EQ(pointEndingData(adjusted), pointEndingData(records)) << records.back().first;
            std::string written;
            writeDataFileLines(
                adjusted.size(), [&adjusted](std::string& out, std::size_t i) { adjusted.appendLine(out, i); },
                [&written](std::string_view piece) { return written.append(piece), true; });
            EXPECT_EQ(written, dataFileText(records)) << records.back().first;
        }
    }
}

TEST(PointEditing, InsertAfterTheCurrentRowAndRemoveShiftsDown)
{
    using Values = std::vector<double>;
    const std::tuple<Values, bool, std::int32_t, Values> cases[] = {
        {{1, 2, 3}, true, 1, {1, 0, 2, 3}}, {{}, true, 4, {0}}, {{1, 2, 3}, false, 0, {2, 3}}, {{}, false, 0, {}}};
    for (const auto& [before, insert, row, after] : cases) {
        PointSet p{static_cast<std::int32_t>(before.size()), {Number()}, {Number()}};
        for (const double v : before) p.volume.push_back(Number::fromDouble(v));
        p.emf = p.volume;
        insert ? void(insertZeroPoint(p, row)) : removePoint(p, row);
        ASSERT_EQ(p.count, static_cast<std::int32_t>(after.size()));
        for (std::size_t i = 1; i <= after.size(); ++i)
            EXPECT_EQ((std::pair{p.volume[i].value(), p.emf[i].value()}), (std::pair{after[i - 1], after[i - 1]}));
    }
}

}  // namespace
}  // namespace quorlin
