#include "io/calibration_replay.h"
#include "io/data_files.h"
#include "support/model_data.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace quorlin {
namespace {

using testing::CalibrationFileText;

constexpr RegionalSettings kPoint{'.', ','};
constexpr std::array<float, 4> kEarlier{0.0f, 400.0f, 59.0f, 20.0f};

class RunCalibrationTest : public ::testing::Test {
protected:
    Workspace loaded(std::string_view text) const
    {
        Workspace ws;
        EXPECT_TRUE(readCalibrationFile(ws, folder.write("cal.txt", text)).ok);
        ws.Params = kEarlier;
        return ws;
    }

    testing::TempFolder folder;
    testing::ElectrodeModel model;
    Captions captions;
};

TEST_F(RunCalibrationTest, ConvergesOnModelDataAndWritesTheResultCaptions)
{
    Workspace ws = loaded(CalibrationFileText(model, 15));
    const CalibrationResult result = RunCalibration(ws, captions, kPoint);
    EXPECT_EQ(result.outcome, CalibrationOutcome::Converged);
    EXPECT_EQ(result.outOfRangeStarts, 0);
    EXPECT_EQ(calibrationMessage(result), "");
    for (std::size_t k = 1; k <= 3; ++k) EXPECT_NE(captions.Parameter[k].find("\u00B1"), std::string::npos);
    EXPECT_TRUE(captions.rmserror.starts_with("Rms error = 0.0"));

    // The start comes from the captions, read in either decimal convention.
    Workspace comma = loaded(CalibrationFileText(model, 15));
    Captions commaCaptions;
    ASSERT_EQ(RunCalibration(comma, commaCaptions, RegionalSettings{',', '.'}).outcome, CalibrationOutcome::Converged);
    EXPECT_EQ(comma.Params, ws.Params);
    EXPECT_NE(commaCaptions.Parameter[1].find(','), std::string::npos);
}

TEST_F(RunCalibrationTest, ModelErrorStopsBeforeTheFitAndNamesThePoint)
{
    Workspace ws = loaded("0.1,50\n1,230\n2,240\n0,250\n3,245\n4,250\n5,255\n");
    captions.Parameter = {"", "400.0±0.1", "59.00±0.01", "20±3"};
    captions.rmserror = "Rms error = 0.1000";
    const Captions before = captions;

    const CalibrationResult result = RunCalibration(ws, captions, kPoint);
    EXPECT_EQ(result.outcome, CalibrationOutcome::ModelError);
    EXPECT_EQ(result.model.point, 3);
    EXPECT_EQ(calibrationMessage(result), modelFailureText(result.model));
    EXPECT_EQ(ws.Params, kEarlier);
    EXPECT_EQ(captions.Parameter, before.Parameter);
    EXPECT_EQ(captions.rmserror, before.rmserror);
    EXPECT_GT(ws.CalPH[2].value(), 0.0);
}

// Emf readings near the top of the float range overflow the single-precision normal
// equations; starting values beyond it cannot even be read back from their captions.
TEST_F(RunCalibrationTest, HugeReadingsFailAndLeaveTheStartingCaptions)
{
    std::string text = "0.1,50\n";
    for (int i = 1; i <= 8; ++i) text += std::to_string(i) + (i % 2 ? ",1e39\n" : ",3e39\n");
    Workspace ws = loaded(text);
    const CalibrationResult result = RunCalibration(ws, captions, kPoint);
    EXPECT_NE(result.outcome, CalibrationOutcome::Converged);
    EXPECT_EQ(ws.Params, kEarlier);
    EXPECT_GE(result.outOfRangeStarts, 1);
    EXPECT_FALSE(calibrationMessage(result).empty());
    EXPECT_EQ(captions.Parameter[3], "0.0");
    EXPECT_EQ(captions.rmserror, "");
}

}  // namespace
}  // namespace quorlin
