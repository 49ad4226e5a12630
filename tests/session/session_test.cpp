#include "session/point_editing.h"
#include "session/report.h"
#include "session/session.h"
#include "support/temp_folder.h"
#include "support/titration.h"

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
    return {s.captions().parameter[kEzero], s.captions().parameter[kSlope], s.captions().parameter[kJcorr],
            s.captions().rmsError};
}

const testing::TempFolder kFolder;

// A session holding a calibration file of `points` points from the model electrode.
Session loaded(int points)
{
    Session s;
    s.loadCalibrationFile(kFolder.write("cal.txt", testing::CalibrationFileText({}, points)));
    return s;
}

TEST(Session, SampleDataCalibrateAndAdjustInEitherConvention)
{
    const std::pair<RegionalSettings, Texts> cases[] = {
        {{'.', ','}, {"405.1±0.3", "59.13±0.10", "58.8±3", "Rms error = 0.1129"}},
        {{',', '.'}, {"405,1±0,3", "59,13±0,10", "58,8±3", "Rms error = 0,1129"}}};
    for (const auto& [regional, captions] : cases) {
        Session s(regional);
        ASSERT_TRUE(s.loadCalibrationFile(QUORLIN_SAMPLE_DATA "/calibration.txt").ok);
        ASSERT_TRUE(s.loadAdjustmentFile(QUORLIN_SAMPLE_DATA "/adjustment.txt").ok);
        EXPECT_TRUE(s.calibrate().converged());
        EXPECT_EQ(shown(s), captions);
        const AdjustmentReport report = s.adjust();
        ASSERT_EQ(report.texts.size(), static_cast<std::size_t>(s.adjustment().count));
        // j corr·[H+], positive and a few mV at most, comes off each reading.
        for (std::size_t i = 1; const std::string& t : report.texts) {
            EXPECT_EQ(t.find(regional.decimalSeparator), t.size() - 3) << t;
            EXPECT_NEAR(textToNumber(t, regional).number.value(), s.adjustment().emf[i++].value() - 2.5, 2.5);
        }
    }
}

TEST(Session, CalibrateChecksComeBeforeTheFit)
{
    using enum CalibrationOutcome;
    const std::tuple<int, void (*)(Session&), CalibrationOutcome, int, std::string> cases[] = {
        {15, [](Session&) {}, Converged, 0, ""},
        {5, [](Session&) {}, TooFewPoints, 0, ""},
        // The points stay, the file goes: as if typed by hand.
        {6, [](Session& s) { s.calibration() = std::exchange(s, Session()).calibration(); }, NoFile, 0, ""},
        {15, [](Session& s) { s.setConstantText(0, " \t"); }, MissingConstant, 0, ""},
        {15, [](Session& s) { s.setConstantText(1, ""); }, MissingConstant, 1, ""},
        {15, [](Session& s) { s.setConstantText(0, "0.1 M"); }, InvalidConstant, 0,
         "Acid concentration: invalid entry for number"},
        {15, [](Session& s) { s.setConstantText(1, "1e39"); }, InvalidConstant, 1,
         "Initial volume: invalid entry for number"},
        // The first volume is 0.5 ml.
        {15, [](Session& s) { s.setConstantText(1, "-0.5"); }, ModelError, 0,
         "Point 1: volume plus initial volume is zero"},
        {15, [](Session& s) { s.calibration().volume[2] = Number::fromDouble(-50); }, ModelError, 0,
         "Point 2: volume plus initial volume is zero"}};
    for (const auto& [points, change, outcome, missing, message] : cases) {
        Session s = loaded(points);
        change(s);
        const CalibrationReport report = s.calibrate();
        EXPECT_EQ(outcomeName(report.outcome), outcomeName(outcome));
        EXPECT_EQ(report.missingConstant, missing) << outcomeName(outcome);
        EXPECT_EQ(calibrationMessage(report), message);
    }
}

TEST(Session, FailedFitKeepsTheLastCalibrationInForce)
{
    Session s = loaded(15);
    ASSERT_TRUE(s.calibrate().converged());
    const ElectrodeParameters fitted = s.parameters();
    // The model values stay computable; the squared residual overflows.
    s.calibration().emf[3] = Number::fromDouble(1E200);
    EXPECT_FALSE(s.calibrate().converged());
    EXPECT_EQ(s.parameters(), fitted);
    for (const std::string& caption : shown(s)) EXPECT_EQ(caption.find("±"), std::string::npos) << caption;
    EXPECT_EQ(shown(s)[2], "0.0");
}

TEST(Session, SavedFileKeepsTheConstantsAsTypedAndReadsBackToTheSamePoints)
{
    Session s = loaded(8);
    s.setConstantText(0, "0.100");
    s.setConstantText(1, "50.0");
    std::vector<TextRecord> points;
    for (std::size_t i = 1; i <= 8; ++i)
        points.push_back({pointNumberText(s.calibration().volume[i]), pointNumberText(s.calibration().emf[i])});
    const std::string path = (kFolder.path() / "saved.txt").string();
    ASSERT_TRUE(s.saveCalibrationFile(path, points).ok);
    EXPECT_TRUE(testing::ReadBytes(path).starts_with("0.100\t50.0\r\n"));
    Session back;
    ASSERT_TRUE(back.loadCalibrationFile(path).ok);
    EXPECT_EQ(back.calibration().volume, s.calibration().volume);
    EXPECT_EQ(back.calibration().emf, s.calibration().emf);
}

TEST(Session, FilesThatCannotBeReadOrWrittenChangeNothing)
{
    Session s = loaded(15);
    const auto names = s.captions().fileName;
    const PointArray emf = s.calibration().emf;
    EXPECT_FALSE(s.loadCalibrationFile("/no/such.txt").ok || s.loadAdjustmentFile("/no/such.txt").ok);
    EXPECT_FALSE(s.saveCalibrationFile("/no/such/saved.txt", {}).ok);
    EXPECT_EQ(s.captions().fileName, names);
    EXPECT_EQ(s.calibration().emf, emf);
}

// Starting values would pass for results: nothing is adjusted before a fit converged.
TEST(Session, AdjustsOnlyWithAConvergedCalibration)
{
    Session s = loaded(5);
    ASSERT_TRUE(s.loadAdjustmentFile(QUORLIN_SAMPLE_DATA "/adjustment.txt").ok);
    EXPECT_EQ(s.calibrate().outcome, CalibrationOutcome::TooFewPoints);
    EXPECT_NE(s.captions().parameter[kEzero], Captions::kNone);  // starting values
    EXPECT_TRUE(!s.canAdjust() && s.adjust().texts.empty());
}

TEST(CalibrationReport, TheFitsCaptionsAndExactNumbersAndEscapedFileNames)
{
    Session s;
    EXPECT_NE(calibrationReportHtml(s, {}).find("No calibration has converged"), std::string::npos);
    const std::string bytes = testing::ReadBytes(QUORLIN_SAMPLE_DATA "/calibration.txt");
    ASSERT_TRUE(s.loadCalibrationFile(kFolder.write("a<&>.txt", bytes)).ok && s.calibrate().converged());
    const std::string html = calibrationReportHtml(s, {"9.8.7", "2024-05-01T14:03:09+02:00"});
    for (const char* text : {"<td>405.1±0.3</td>", "<td>59.13±0.10</td>", "<td>58.8±3</td>", "Rms error = 0.1129",
                             "Points</th><td class=\"l\">15<", "Degrees of freedom</th><td class=\"l\">12<",
                             "Quorlin 9.8.7", "2024-05-01T14:03:09+02:00", "a&lt;&amp;&gt;.txt"})
        EXPECT_NE(html.find(text), std::string::npos) << text;
    EXPECT_EQ(html.find("a<&>"), std::string::npos);
    const std::size_t ezero = html.find("<td>", html.find("405.1±0.3</td>")) + 4;
    EXPECT_EQ(std::strtof(html.c_str() + ezero, nullptr), s.lastFit()->parameters[kEzero]);
}

TEST(Session, RecordsThatWouldEndTheDataOnReadingAreNamed)
{
    Session s = loaded(6);
    const std::string ends = " would end the data when the file is read again";
    EXPECT_EQ(s.calibrationRecordEndingData({{" 1", "250"}, {" 0", " 0"}}), "Point 2 (0, 0)" + ends);
    EXPECT_EQ(pointEndingData({{" 1", "250,5"}, {" 2", ""}}), "Point 2 (2, )" + ends);
    EXPECT_EQ(pointEndingData({{" 1", "250,5"}}), "");
    s.setConstantText(0, "0.1 M");
    EXPECT_EQ(s.calibrationRecordEndingData({}), "The constants (0.1 M, 50)" + ends);
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
            AdjustmentResult result;
            std::vector<TextRecord> records;
            for (const auto& [volume, adjusted] : set) {
                data.volume.push_back(volume);
                result.adjusted.push_back(adjusted);
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

// The readings inverted for one calibration are not taken for those of the next.
TEST(Session, AdjustedSigmaFollowsTheCalibrationInForce)
{
    Session s = loaded(15);
    Session fresh = loaded(15);
    for (Session* session : {&s, &fresh})
        ASSERT_TRUE(session->loadAdjustmentFile(QUORLIN_SAMPLE_DATA "/adjustment.txt").ok);
    ASSERT_TRUE(s.calibrate().converged());
    const double before = s.adjustedSigma(1);
    for (Session* session : {&s, &fresh}) {
        session->exclusions().toggle(2);
        ASSERT_TRUE(session->calibrate().converged());
    }
    EXPECT_NE(s.adjustedSigma(1), before);
    EXPECT_EQ(s.adjustedSigma(1), fresh.adjustedSigma(1));
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
