#include "session/session.h"
#include "support/temp_folder.h"
#include "support/titration.h"
#include "wording/captions.h"
#include "wording/fit_details.h"
#include "wording/messages.h"
#include "wording/print_page.h"
#include "wording/report.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace quorlin {
namespace {

const testing::TempFolder kFolder;
const std::string kSample = QUORLIN_SAMPLE_DATA "/calibration.txt";

TEST(CalibrationReport, TheFitsCaptionsAndExactNumbersAndEscapedFileNames)
{
    Session s;
    EXPECT_NE(calibrationReportHtml(s, {}).find("No calibration has converged"), std::string::npos);
    ASSERT_TRUE(s.loadCalibrationFile(kFolder.write("a<&>.txt", testing::ReadBytes(kSample))).ok);
    ASSERT_TRUE(s.calibrate().converged());
    const std::string html = calibrationReportHtml(s, {"9.8.7", "2024-05-01T14:03:09+02:00"});
    for (const char* text : {">405.1±0.3</td>", ">59.13±0.10</td>", ">58.8±3</td>", "Rms error = 0.1129",
                             "Points</th><td class=\"l\">15<", "Degrees of freedom</th><td class=\"l\">12<",
                             "Quorlin 9.8.7", "2024-05-01T14:03:09+02:00", "a&lt;&amp;&gt;.txt"})
        EXPECT_NE(html.find(text), std::string::npos) << text;
    EXPECT_EQ(html.find("a<&>"), std::string::npos);
    const std::size_t ezero = html.find("<td>", html.find("405.1±0.3</td>")) + 4;
    EXPECT_EQ(std::strtof(html.c_str() + ezero, nullptr), s.calibration().record()->fit.parameters[kEzero]);
}

// The printed page counts the points left out apart from those fitted.
TEST(PrintedPage, NamesTheConstantsThePointsAndTheVersion)
{
    Session s;
    ASSERT_TRUE(s.loadCalibrationFile(kSample).ok);
    s.toggleExclusion(3);
    ASSERT_TRUE(s.calibrate().converged());
    const std::vector<std::string> lines = printedLines(s, {"9.8.7", "2024-05-01 14:03:09"});
    EXPECT_EQ((std::vector{lines.at(1), lines.at(6), lines.back()}),
              (std::vector<std::string>{"Acid concentration .5 mol/L   Initial volume 50 ml", "15 points, 1 left out",
                                        "Printed 2024-05-01 14:03:09 by Quorlin 9.8.7"}));
}

// Edited since, the report still describes the data fitted, and says so at the top.
TEST(CalibrationReport, DescribesTheCalibratedDataAfterAnEdit)
{
    Session s;
    ASSERT_TRUE(s.loadCalibrationFile(kSample).ok && s.calibrate().converged());
    const std::string current = calibrationReportHtml(s, {});
    EXPECT_EQ(plotTitle(s), kSample);
    s.editCell(DataSet::Calibration, {3, 2}, "300");
    s.setConstantText(1, "60");
    const std::string edited = calibrationReportHtml(s, {});
    const std::string changed = changedSinceText(*s.calibration().record());
    EXPECT_EQ(current.find(changed), std::string::npos);
    EXPECT_EQ(plotTitle(s), kSample + " (" + changed + ")");
    EXPECT_NE(edited.find(changed), std::string::npos);
    EXPECT_EQ(edited.find("<td>300</td>"), std::string::npos);
    EXPECT_NE(edited.find("<td>242.67</td>"), std::string::npos);
    EXPECT_NE(edited.find("Initial volume (ml)</th><td class=\"l\"> 50<"), std::string::npos);
}

// Beyond 10,000 points a table keeps its ends and the plot each pixel's marks once; the
// page stops going out when the sink fails.
TEST(CalibrationReport, ManyPointsKeepBothEndsOfTheTableAndStopWithTheSink)
{
    std::string text = "0.1\t50\r\n";
    for (int i = 0; i < 10001; ++i)
        text += testing::FileNumber(0.5 + i * 0.001) + "\t"
                + testing::FileNumber(testing::ElectrodeModel{}.emf(0.5 + i * 0.001)) + "\r\n";
    Session s;
    ASSERT_TRUE(s.loadCalibrationFile(kFolder.write("many.txt", text)).ok);
    ASSERT_TRUE(s.calibrate().converged());
    const std::string html = calibrationReportHtml(s, {});
    for (const char* row : {"<tr><td>1000</td>", "<tr><td>9002</td>", "Points 1001 to 9001 (8001 points) are left out"})
        EXPECT_NE(html.find(row), std::string::npos) << row;
    for (const char* row : {"<tr><td>1001</td>", "<tr><td>9001</td>"}) EXPECT_EQ(html.find(row), std::string::npos);
    EXPECT_LT(html.find("</svg>") - html.find("<svg"), 100000u);
    int pieces = 0;
    EXPECT_FALSE(writeCalibrationReport(s, {}, [&pieces](std::string_view) { return ++pieces < 2; }));
    EXPECT_EQ(pieces, 2);
}

TEST(Messages, RecordsThatWouldEndTheDataOnReadingAreNamed)
{
    Session s;
    s.loadCalibrationFile(kFolder.write("six.txt", testing::CalibrationFileText({}, 6)));
    const std::string ends = " would end the data when the file is read again";
    s.insertPoint(DataSet::Calibration, 1);
    EXPECT_EQ(calibrationEndingData(s), "Point 2 (0, 0)" + ends);
    EXPECT_EQ(pointEndingData({{" 1", "250,5"}, {" 2", ""}}), "Point 2 (2, )" + ends);
    EXPECT_EQ(pointEndingData({{" 1", "250,5"}}), "");
    s.setConstantText(0, "0.1 M");
    EXPECT_EQ(calibrationEndingData(s), "The constants (0.1 M, 50)" + ends);
}

// One line, the most important first.
TEST(Messages, TheStatusLineSaysTheMostImportantThing)
{
    const std::string truncated = kFolder.write("cut.txt", "0.1\t50\n1,300\n2,290\nnone\n3,280\n");
    Session s;
    EXPECT_EQ(statusLine(s), "");
    s.loadCalibrationFile(truncated);
    s.calibrate();
    EXPECT_EQ(statusLine(s), truncated + ": data end at line 4 (not two numbers); 2 points read");
    EXPECT_NE(calibrationReportHtml(s, {}).find(statusLine(s)), std::string::npos);
    s.deletePoint(DataSet::Calibration, 1);
    EXPECT_EQ(statusLine(s), "Not calibrated; the parameters shown are starting values");
    s.calibrate();
    EXPECT_EQ(statusLine(s), "Not calibrated: 1 point, at least 6 needed; the parameters shown are starting values");
    s.loadCalibrationFile(kSample);
    s.calibrate({.statistics = true});
    EXPECT_EQ(statusLine(s), "");
    // The first reading, 227.28, lies below the lowest calibration emf, 227.56.
    s.loadAdjustmentFile(QUORLIN_SAMPLE_DATA "/adjustment.txt");
    EXPECT_EQ(statusLine(s), "1 adjusted value lies outside the calibrated emf range");
    const std::string report = calibrationReportHtml(s, {});
    for (const char* text : {"<th>σ from the calibration (mV)</th><th>σ total (mV)</th><th>Flag</th>",
                             "<td class=\"l\">outside the calibrated emf range</td></tr>\n<tr><td>2</td>",
                             "fully correlated between points"})
        EXPECT_NE(report.find(text), std::string::npos) << text;
    s.editCell(DataSet::Calibration, {2, 2}, "230");
    EXPECT_EQ(statusLine(s), "Data changed since this calibration");
    const std::string marked = kFolder.write("mark.txt", "0.1\t50\n1,300\n0,0\n2,290\n3,280\n");
    s.loadCalibrationFile(marked);
    EXPECT_EQ(statusLine(s), marked + ": data end at the end mark at line 3; 2 more lines not read");
    // Leaving out a reading before any acid helps only where the acid gives a pH.
    const std::string noPh = "Not calibrated: Point 1: volume and constants give no pH";
    for (const auto& [acid, line] :
         {std::pair("0.1", noPh + ". Leave point 1 out (Ctrl+E), then calibrate (Ctrl+C)."), std::pair("0", noPh)}) {
        s.loadCalibrationFile(
            kFolder.write("first.txt", acid + std::string("\t50\n0,210\n1,300\n2,290\n3,280\n4,275\n5,270\n")));
        s.calibrate();
        EXPECT_EQ(statusLine(s), line);
    }
}

// The first 8 sample points with point 4 raised by 5 mV, and six points at two volumes.
TEST(CalibrationReport, NamesOutliersAndInfluenceOrThatThePointsDetermineNothing)
{
    std::string planted = testing::ReadBytes(kSample);
    planted = planted.substr(0, planted.find("1.09")).replace(planted.find("250.23"), 6, "255.23");
    const std::string two = "0.5,50\n0.5,250\n0.5,250.3\n0.5,249.8\n3,300\n3,300.2\n3,299.9\n";
    const std::string undetermined = "Undetermined fit: the points do not determine Ezero, Slope and j corr";
    for (const auto& [text, shown, status] :
         {std::tuple(planted,
                     std::vector<std::string>{"p &lt; 0.05)</th><td class=\"l\">point 4 (t = 29.9, p = 5.97e-05)</td>",
                                              "4/n = 0.5)</th><td class=\"l\">point 4 (leverage 0.245, Cook&#39;s "
                                              "distance 0.539), point 8 (leverage 0.795, Cook&#39;s distance 0.607)",
                                              " ⚠</td><td>0.245", "(two-sided)</th><td class=\"l\">4 runs, p = 1</td>"},
                     std::string()),
          std::tuple(two, std::vector<std::string>{"<p class=\"failed\">" + undetermined}, undetermined)}) {
        Session s;
        ASSERT_TRUE(s.loadCalibrationFile(kFolder.write("cal.txt", text)).ok
                    && s.calibrate({.statistics = true}).converged());
        const std::string html = calibrationReportHtml(s, {});
        for (const std::string& part : shown) EXPECT_NE(html.find(part), std::string::npos) << part;
        EXPECT_EQ(html.find("studentised residual") == std::string::npos, !status.empty());
        EXPECT_EQ(statusLine(s).substr(0, status.size()), status);
    }
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
        Session s;
        s.loadCalibrationFile(kFolder.write("cal.txt", exact ? text : testing::CalibrationFileText({}, 15)));
        ASSERT_TRUE(s.calibrate({.statistics = true}).converged());
        const CalibrationRecord& record = *s.calibration().record();
        const std::string warning = precisionWarning(record.fit, *record.statistics);
        EXPECT_EQ(warning.empty(), !exact) << warning;
        EXPECT_EQ(statusLine(s), warning);
        const std::string report = calibrationReportHtml(s, {});
        EXPECT_EQ(report.find(kPrecisionWarningStart) != std::string::npos, exact);
        EXPECT_NE(report.find(warning), std::string::npos);
    }
}

}  // namespace
}  // namespace quorlin
