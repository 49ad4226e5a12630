// Calibration and adjustment fed the worst values a file or a typed cell can bring: every
// run ends in one of its outcomes and leaves the state that outcome promises.
#include "core/adjustment.h"
#include "io/calibration_replay.h"
#include "support/model_data.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <functional>
#include <limits>

namespace quorlin {
namespace {

constexpr RegionalSettings kPoint{'.', ','};
const RegionalFormat kFormat{kPoint};
constexpr std::array<float, 4> kEarlier{0.0f, 400.0f, 59.0f, 20.0f};
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

Number d(double v) { return Number::fromDouble(v); }
// An optional minus, digits, a point and exactly two decimals.
bool isTwoDecimalText(const std::string& text)
{
    const std::size_t first = text.starts_with('-') ? 1 : 0;
    const std::size_t point = text.find('.');
    const auto digitsOnly = [&](std::size_t from, std::size_t to) {
        return from < to && text.find_first_not_of("0123456789", from) >= to;
    };
    return point != std::string::npos && point + 3 == text.size() && digitsOnly(first, point) &&
           digitsOnly(point + 1, text.size());
}

// A calibration titration of `count` points after an earlier calibration.
Workspace titration(Number acid, Number initVolume, std::int32_t count,
                    const std::function<std::pair<double, double>(std::int32_t)>& point)
{
    Workspace ws;
    ws.Params = kEarlier;
    ws.AcidConc = acid;
    ws.InitVolume = initVolume;
    ws.CalCount = count;
    reallocateFresh(ws.CalVolume, count);
    reallocateFresh(ws.CalEmf, count);
    for (std::int32_t i = 1; i <= count; ++i) {
        const auto [volume, emf] = point(i);
        ws.CalVolume[static_cast<std::size_t>(i)] = d(volume);
        ws.CalEmf[static_cast<std::size_t>(i)] = d(emf);
    }
    return ws;
}

double modelEmf(std::int32_t i) { return 400.0 - 59.0 * (1.5 + 0.1 * i) + 20.0 * std::pow(10.0, -1.5 - 0.1 * i); }
std::pair<double, double> wide(std::int32_t i) { return {0.5 * i, modelEmf(i)}; }

// A converged fit shows finite parameters in every caption; any other outcome says why
// and keeps the earlier calibration in force.
CalibrationResult calibrateExpectingADefinedOutcome(Workspace& ws)
{
    Captions captions;
    const CalibrationResult result = RunCalibration(ws, captions, kPoint);
    if (result.outcome == CalibrationOutcome::Converged) {
        for (std::size_t j = 1; j <= 3; ++j) {
            EXPECT_TRUE(std::isfinite(ws.Params[j])) << j;
            EXPECT_NE(captions.Parameter[j].find("\u00B1"), std::string::npos) << captions.Parameter[j];
        }
        EXPECT_TRUE(std::isfinite(ws.RmsError));
        EXPECT_EQ(captions.rmserror.rfind("Rms error = ", 0), 0u);
    } else {
        EXPECT_EQ(ws.Params, kEarlier);
        EXPECT_FALSE(calibrationMessage(result).empty());
    }
    return result;
}

TEST(WorstValues, CalibrationOfExtremeTitrationsEndsInAnOutcome)
{
    struct Case {
        const char* what;
        Workspace ws;
    } cases[] = {
        {"huge emf", titration(d(0.1), d(50), 8, [](std::int32_t i) { return std::make_pair(0.5 * i, 1e300 * (i % 2 ? 1 : -1)); })},
        {"tiny acid", titration(d(1e-300), d(50), 8, wide)},
        {"tiny emf", titration(d(0.1), d(50), 8, [](std::int32_t i) { return std::make_pair(0.5 * i, 1e-300 * i); })},
        {"same emf everywhere", titration(d(0.1), d(50), 8, [](std::int32_t i) { return std::make_pair(0.5 * i, 300.0); })},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.what);
        calibrateExpectingADefinedOutcome(c.ws);
    }
}

TEST(WorstValues, TitrationsWithoutModelPHStopBeforeTheFitAndNameThePoint)
{
    struct Case {
        const char* what;
        Workspace ws;
        ModelOutcome::Failure failure;
        std::int32_t point;
    } cases[] = {
        {"acid overflowing with the volume", titration(d(1e308), d(50), 8, wide), ModelOutcome::Failure::NoPositiveH, 4},
        {"acid below the smallest double", titration(d(5e-324), d(50), 8, wide), ModelOutcome::Failure::NoPositiveH, 1},
        {"initial volume not a number", titration(d(0.1), d(kNaN), 8, wide), ModelOutcome::Failure::NoPositiveH, 1},
        {"infinite volume", titration(d(0.1), d(50), 8, [](std::int32_t i) { return std::make_pair(i == 3 ? kInf : 0.5 * i, 300.0); }),
         ModelOutcome::Failure::NoPositiveH, 3},
        // Volumes so large, or an initial volume so small, that every point has the acid's pH.
        {"huge volumes", titration(d(0.1), d(50), 8, [](std::int32_t i) { return std::make_pair(1e300 * i, modelEmf(i)); }),
         ModelOutcome::Failure::NoStartingLine, 0},
        {"largest single acid", titration(Number::fromSingle(FLT_MAX), Number::fromSingle(1e-30f), 8, wide),
         ModelOutcome::Failure::NoStartingLine, 0},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.what);
        const CalibrationResult result = calibrateExpectingADefinedOutcome(c.ws);
        EXPECT_EQ(result.outcome, CalibrationOutcome::ModelError);
        EXPECT_EQ(result.model.failure, c.failure);
        EXPECT_EQ(result.model.point, c.point);
    }
}

// A million single-precision sums can lose so much that the normal matrix is no longer
// positive definite; then the fit says it failed. When it converges, it must be right.
TEST(WorstValues, MillionPointCalibrationFailsOrRecoversTheElectrode)
{
    const testing::ElectrodeModel model;
    constexpr std::int32_t kCount = 1'000'000;
    Workspace ws = titration(d(model.acid), d(model.initialVolume), kCount, [&](std::int32_t i) {
        const double volume = 0.5 + 12.0 * i / kCount;
        return std::make_pair(volume, model.emf(volume));
    });
    if (calibrateExpectingADefinedOutcome(ws).outcome != CalibrationOutcome::Converged) return;
    EXPECT_NEAR(ws.Params[1], model.ezero, 0.1);
    EXPECT_NEAR(ws.Params[2], model.slope, 0.1);
    EXPECT_NEAR(ws.Params[3], model.jcorr, 1.0);
}

Workspace adjustmentData(std::array<float, 4> params, const std::vector<double>& emfs)
{
    Workspace ws;
    ws.Params = params;
    ws.AdjCount = static_cast<std::int32_t>(emfs.size());
    reallocateFresh(ws.AdjEmf, ws.AdjCount);
    for (std::size_t i = 0; i < emfs.size(); ++i) ws.AdjEmf[i + 1] = d(emfs[i]);
    return ws;
}

// Every point before a failing one, or every point, gets a finite "###0.00" text.
void expectDefinedAdjustment(const Workspace& ws, const AdjustmentResult& result)
{
    const std::int32_t done = result.failedPoint == 0 ? ws.AdjCount : result.failedPoint - 1;
    ASSERT_EQ(result.adjusted.size(), static_cast<std::size_t>(done));
    for (const std::string& text : result.adjusted) EXPECT_TRUE(isTwoDecimalText(text)) << text;
}

TEST(WorstValues, AdjustmentOfExtremeReadingsEndsInAnOutcome)
{
    const float fmax = FLT_MAX;
    const float fnan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        const char* what;
        Workspace ws;
        std::int32_t failedPoint;
    } cases[] = {
        {"huge reading", adjustmentData(kEarlier, {300, 1e300, 250}), 2},
        {"tiny readings", adjustmentData(kEarlier, {1e-300, -1e-300, 5e-324}), 0},
        {"largest single parameters", adjustmentData({0, fmax, fmax, fmax}, {300, -fmax, fmax}), 0},
        {"smallest parameters", adjustmentData({0, 1e-45f, 1e-45f, 1e-45f}, {0, 1e-45, -1}), 0},
        {"flat electrode", adjustmentData({0, 0, 0, 0}, {0, 0}), 0},
        {"parameters not a number", adjustmentData({0, 400, fnan, 20}, {300}), 1},
        {"readings not a number", adjustmentData(kEarlier, {300, kInf, kNaN}), 2},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.what);
        const AdjustmentResult result = adjustData(c.ws, kFormat);
        EXPECT_EQ(result.failedPoint, c.failedPoint);
        expectDefinedAdjustment(c.ws, result);
    }
}

// A million points take too long under the sanitizers; core_bench adjusts that many.
TEST(WorstValues, HundredThousandPointAdjustment)
{
    std::vector<double> emfs(100'000);
    // From above Ezero + j corr down to a root near pH 13.6.
    for (std::size_t i = 0; i < emfs.size(); ++i) emfs[i] = 450.0 - 8.5e-3 * static_cast<double>(i);
    const Workspace ws = adjustmentData(kEarlier, emfs);
    const AdjustmentResult result = adjustData(ws, kFormat);
    EXPECT_EQ(result.failedPoint, 0);
    expectDefinedAdjustment(ws, result);
    // Without a root, at pH 0; near pH 14 the j corr term is gone.
    EXPECT_EQ(result.adjusted.front(), "430.00");
    EXPECT_EQ(result.adjusted.back(), kFormat.formatNumber(emfs.back(), "###0.00"));
}

}  // namespace
}  // namespace quorlin
