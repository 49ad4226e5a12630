#include "run.h"

#include "core/adjustment.h"
#include "io/calibration_replay.h"
#include "io/data_files.h"
#include "replay.h"
#include "support/json_fields.h"
#include "support/model_data.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <vector>

namespace quorlin::cli {
namespace {

using quorlin::testing::CalibrationFileText;
using quorlin::testing::ElectrodeModel;
using quorlin::testing::FileNumber;
using quorlin::testing::JsonNumber;
using quorlin::testing::JsonNumbers;
using quorlin::testing::JsonString;
using quorlin::testing::JsonValueStart;
using quorlin::testing::ReadBytes;
using quorlin::testing::TempFolder;

constexpr RegionalSettings kPoint{'.', ','};
constexpr RegionalSettings kComma{',', '.'};

struct Result {
    int status = -1;
    std::string out;
    std::string err;
};

Result run(std::vector<std::string> args, const RegionalSettings& regional = kPoint)
{
    std::ostringstream out, err;
    Result result;
    result.status = Run(args, regional, out, err);
    result.out = out.str();
    result.err = err.str();
    return result;
}

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) result.push_back(line);
    return result;
}

// A second experiment with the same electrode, read exactly on the model.
std::string adjustmentFileText(ElectrodeModel second)
{
    second.acid = 0.05;
    second.initialVolume = 25.0;
    std::string text;
    for (int i = 0; i < 10; ++i) {
        const double volume = 0.5 + 1.5 * i;
        text += FileNumber(volume) + "," + FileNumber(second.emf(volume)) + "\n";
    }
    return text;
}

class CompanionRun : public ::testing::Test {
protected:
    TempFolder folder;
    ElectrodeModel model;
    std::string calFile = folder.write("cal.txt", CalibrationFileText(model, 15));
    std::string dataFile = folder.write("data.csv", adjustmentFileText(model));
};

// Four caption lines, or the same captions and the library's numbers as JSON.
TEST_F(CompanionRun, CalibratePrintsTheCaptionsOrJson)
{
    const Result plain = run({"calibrate", calFile});
    ASSERT_EQ(plain.status, kExitConverged) << plain.err;
    EXPECT_EQ(plain.err, "");
    const auto shown = lines(plain.out);
    ASSERT_EQ(shown.size(), 4u);

    const Result json = run({"calibrate", "--json", calFile});
    ASSERT_EQ(json.status, kExitConverged);
    EXPECT_EQ(json.out.find('\n'), json.out.size() - 1);
    EXPECT_EQ(JsonString(json.out, "outcome"), "converged");
    EXPECT_EQ(JsonNumber(json.out, "points"), 15.0);
    const auto captions = JsonValueStart(json.out, "captions");
    EXPECT_EQ(JsonString(json.out, "rms", captions).value(), shown[3]);
    EXPECT_EQ(JsonNumbers(json.out, "sigma").size(), 3u);

    Workspace ws;
    Captions libraryCaptions;
    readCalibrationFile(ws, calFile);
    ASSERT_EQ(CalibrateLoadedData(ws, libraryCaptions, kPoint).outcome, Outcome::Converged);
    const char* names[] = {"ezero", "slope", "jcorr"};
    const char* labels[] = {"Ezero ", "Slope ", "j corr "};
    for (std::size_t k = 0; k < 3; ++k) {
        EXPECT_EQ(labels[k] + JsonString(json.out, names[k], captions).value(), shown[k]);
        EXPECT_EQ(static_cast<float>(JsonNumber(json.out, names[k]).value()), ws.Params[k + 1]);
    }
    EXPECT_EQ(JsonNumber(json.out, "rms"), ws.RmsError);
    const std::vector<double> residuals = JsonNumbers(json.out, "residuals");
    ASSERT_EQ(residuals.size(), 15u);
    ASSERT_EQ(JsonNumbers(json.out, "pH").size(), 15u);
    for (std::int32_t i = 1; i <= 15; ++i) EXPECT_EQ(residuals[i - 1], ws.CalResidual[i].value());
}

TEST_F(CompanionRun, AdjustWritesWhatTheWindowsWriterWrites)
{
    const Result toStdout = run({"adjust", calFile, dataFile});
    ASSERT_EQ(toStdout.status, kExitConverged) << toStdout.err;
    const std::string outFile = (folder.path() / "adjusted.txt").string();
    const Result toFile = run({"adjust", calFile, dataFile, "-o", outFile});
    ASSERT_EQ(toFile.status, kExitConverged);
    EXPECT_EQ(toFile.out, "");
    EXPECT_EQ(ReadBytes(outFile), toStdout.out);

    // The window: load both files, calibrate, adjust, save the grid texts.
    Workspace ws;
    Captions captions;
    readCalibrationFile(ws, calFile);
    readAdjustmentFile(ws, dataFile);
    ASSERT_EQ(CalibrateLoadedData(ws, captions, kPoint).outcome, Outcome::Converged);
    const AdjustmentResult adjusted = adjustData(ws, RegionalFormat(kPoint));
    std::vector<TextRecord> cells;
    for (std::int32_t i = 1; i <= ws.AdjCount; ++i)
        cells.push_back({pointNumberText(ws.AdjVolume[i]), adjusted.adjusted[static_cast<std::size_t>(i) - 1]});
    const std::string windowFile = (folder.path() / "window.txt").string();
    ASSERT_TRUE(writeAdjustedFile(windowFile, cells).ok);
    EXPECT_EQ(ReadBytes(windowFile), toStdout.out);
}

TEST_F(CompanionRun, CommaConventionShowsCommasButWritesPoints)
{
    const Result comma = run({"calibrate", calFile}, kComma);
    ASSERT_EQ(comma.status, kExitConverged);
    EXPECT_EQ(lines(comma.out)[3].substr(0, 15), "Rms error = 0,0");
    EXPECT_EQ(lines(comma.out)[1].substr(0, 9), "Slope 59,");

    const Result pointAdjusted = run({"adjust", calFile, dataFile}, kPoint);
    const Result commaAdjusted = run({"adjust", calFile, dataFile}, kComma);
    ASSERT_EQ(commaAdjusted.status, kExitConverged);
    EXPECT_EQ(commaAdjusted.out, pointAdjusted.out);
    EXPECT_EQ(commaAdjusted.out.find(','), std::string::npos);

    const Result json = run({"adjust", "--json", calFile, dataFile}, kComma);
    ASSERT_EQ(json.status, kExitConverged);
    const std::string opening = "\"adjusted\":[\"";
    const auto first = json.out.find(opening);
    ASSERT_NE(first, std::string::npos);
    const auto start = first + opening.size();
    EXPECT_NE(json.out.substr(start, json.out.find('"', start) - start).find(','), std::string::npos);
    EXPECT_EQ(JsonNumber(json.out, "ezero"), JsonNumber(run({"calibrate", "--json", calFile}).out, "ezero"));
}

TEST_F(CompanionRun, TooFewPointsReportsTheStartingValuesAndWritesNothing)
{
    const std::string fivePoints = folder.write("five.txt", CalibrationFileText(model, 5));
    const Result json = run({"calibrate", "--json", fivePoints});
    EXPECT_EQ(json.status, kExitNotConverged);
    EXPECT_EQ(JsonString(json.out, "outcome"), "too few points");
    EXPECT_EQ(JsonString(json.out, "message"), "");
    EXPECT_EQ(JsonNumber(json.out, "points"), 5.0);
    for (const char* key : {"\"sigma\"", "\"pH\"", "\"residuals\"", "\"rms\":0", "\"ezero\":4"})
        EXPECT_EQ(json.out.find(key), std::string::npos) << key;
    EXPECT_EQ(JsonString(json.out, "jcorr", JsonValueStart(json.out, "captions")), "0.0");

    const Result plain = run({"calibrate", fivePoints});
    EXPECT_EQ(plain.status, kExitNotConverged);
    EXPECT_EQ(plain.out, "");
    EXPECT_EQ(plain.err, "quorlin-cli: too few points\n");

    const std::string outFile = (folder.path() / "never.txt").string();
    EXPECT_EQ(run({"adjust", fivePoints, dataFile, "-o", outFile}).status, kExitNotConverged);
    EXPECT_FALSE(std::filesystem::exists(outFile));
}

TEST_F(CompanionRun, ModelErrorNamesThePoint)
{
    const std::string zeroVolume = folder.write("zero.txt", "0.1,50\n1,230\n2,240\n0,250\n3,245\n4,250\n5,255\n");
    const Result json = run({"calibrate", "--json", zeroVolume});
    EXPECT_EQ(json.status, kExitNotConverged);
    EXPECT_EQ(JsonString(json.out, "outcome"), "model error");
    EXPECT_EQ(JsonString(json.out, "message"), modelFailureText({ModelOutcome::Failure::NoPositiveH, 3}));
    EXPECT_EQ(JsonString(json.out, "ezero", JsonValueStart(json.out, "captions")), "?");

    const Result plain = run({"calibrate", zeroVolume});
    EXPECT_EQ(plain.err, "quorlin-cli: model error: " + modelFailureText({ModelOutcome::Failure::NoPositiveH, 3}) + "\n");
}

TEST_F(CompanionRun, FilesThatCannotBeReadOrWrittenExitWithTwo)
{
    const std::string missing = (folder.path() / "missing.txt").string();
    const Result noCal = run({"calibrate", missing});
    EXPECT_EQ(noCal.status, kExitUsageOrFile);
    EXPECT_EQ(noCal.out, "");
    EXPECT_EQ(noCal.err, "quorlin-cli: cannot read " + missing + ": No such file or directory\n");

    EXPECT_EQ(run({"adjust", calFile, missing}).status, kExitUsageOrFile);

    const Result noFolder = run({"adjust", calFile, dataFile, "-o", (folder.path() / "no" / "out.txt").string()});
    EXPECT_EQ(noFolder.status, kExitUsageOrFile);
    EXPECT_EQ(noFolder.out, "");
    EXPECT_NE(noFolder.err.find("could not save"), std::string::npos);
}

TEST(CompanionUsage, UsageErrorsVersionAndHelp)
{
    const Result wrong = run({"calibrate"});
    EXPECT_EQ(wrong.status, kExitUsageOrFile);
    EXPECT_EQ(wrong.out, "");
    EXPECT_EQ(std::count(wrong.err.begin(), wrong.err.end(), '\n'), 1);

    const Result version = run({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, std::string("quorlin-cli ") + QUORLIN_PROJECT_VERSION + "\n");
    const Result help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.starts_with("Usage: quorlin-cli calibrate CALFILE"));
}

}  // namespace
}  // namespace quorlin::cli
