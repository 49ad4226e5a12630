#include "io/calibration_replay.h"
#include "io/data_files.h"
#include "support/model_data.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace quorlin {
namespace {

using testing::CalibrationFileText;
using testing::ElectrodeModel;
using testing::TempFolder;

constexpr RegionalSettings kPoint{'.', ','};
constexpr RegionalSettings kComma{',', '.'};

Workspace loaded(const TempFolder& folder, std::string_view text)
{
    Workspace ws;
    EXPECT_TRUE(ReadCalibrationFile(ws, folder.write("cal.txt", text)).ok);
    return ws;
}

TEST(RunCalibration, ConvergesOnModelDataAndWritesTheResultCaptions)
{
    TempFolder folder;
    const ElectrodeModel model;
    Workspace ws = loaded(folder, CalibrationFileText(model, 15));
    Captions captions;
    const CalibrationResult result = RunCalibration(ws, captions, kPoint);
    EXPECT_EQ(result.outcome, CalibrationOutcome::Converged);
    EXPECT_EQ(result.outOfRangeStarts, 0);
    EXPECT_EQ(CalibrationMessage(result), "");
    EXPECT_NEAR(ws.Params[1], model.ezero, 1.0);
    EXPECT_NEAR(ws.Params[2], model.slope, 0.3);
    for (std::size_t k = 1; k <= 3; ++k) EXPECT_NE(captions.Parameter[k].find("\u00B1"), std::string::npos);
    EXPECT_TRUE(captions.rmserror.starts_with("Rms error = 0.0"));
}

TEST(RunCalibration, StartsFromTheCaptionsInEitherDecimalConvention)
{
    TempFolder folder;
    const std::string text = CalibrationFileText(ElectrodeModel{}, 12);
    Workspace point = loaded(folder, text);
    Workspace comma = loaded(folder, text);
    Captions pointCaptions, commaCaptions;
    ASSERT_EQ(RunCalibration(point, pointCaptions, kPoint).outcome, CalibrationOutcome::Converged);
    ASSERT_EQ(RunCalibration(comma, commaCaptions, kComma).outcome, CalibrationOutcome::Converged);
    EXPECT_EQ(point.Params, comma.Params);
    EXPECT_NE(commaCaptions.Parameter[1].find(','), std::string::npos);
}

TEST(RunCalibration, ModelErrorStopsBeforeTheFitAndNamesThePoint)
{
    TempFolder folder;
    Workspace ws = loaded(folder, "0.1,50\n1,230\n2,240\n0,250\n3,245\n4,250\n5,255\n");
    ws.Params = {0.0f, 400.0f, 59.0f, 20.0f};
    Captions captions;
    captions.Parameter = {"", "400.0±0.1", "59.00±0.01", "20±3"};
    captions.rmserror = "Rms error = 0.1000";
    const Captions before = captions;

    const CalibrationResult result = RunCalibration(ws, captions, kPoint);
    EXPECT_EQ(result.outcome, CalibrationOutcome::ModelError);
    EXPECT_EQ(result.model.point, 3);
    EXPECT_EQ(CalibrationMessage(result), ModelFailureText(result.model));
    EXPECT_EQ(ws.Params, (std::array<float, 4>{0.0f, 400.0f, 59.0f, 20.0f}));
    EXPECT_EQ(captions.Parameter, before.Parameter);
    EXPECT_EQ(captions.rmserror, before.rmserror);
    EXPECT_GT(ws.CalPH[2].value(), 0.0);
}

// Emf readings near the top of the float range overflow the single-precision normal
// equations; starting values beyond it cannot even be read back from their captions.
TEST(RunCalibration, HugeReadingsFailAndLeaveTheStartingCaptions)
{
    TempFolder folder;
    std::string text = "0.1,50\n";
    for (int i = 1; i <= 8; ++i) text += std::to_string(i) + (i % 2 ? ",1e39\n" : ",3e39\n");
    Workspace ws = loaded(folder, text);
    ws.Params = {0.0f, 400.0f, 59.0f, 20.0f};  // an earlier calibration
    Captions captions;
    const CalibrationResult result = RunCalibration(ws, captions, kPoint);
    EXPECT_NE(result.outcome, CalibrationOutcome::Converged);
    EXPECT_EQ(ws.Params, (std::array<float, 4>{0.0f, 400.0f, 59.0f, 20.0f}));
    EXPECT_GE(result.outOfRangeStarts, 1);
    EXPECT_FALSE(CalibrationMessage(result).empty());
    EXPECT_EQ(captions.Parameter[3], "0.0");
    EXPECT_EQ(captions.rmserror, "");
}

}  // namespace
}  // namespace quorlin
