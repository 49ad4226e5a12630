#pragma once

#include "core/fit.h"
#include "core/titration_data.h"

#include <cmath>
#include <cstdint>

namespace quorlin::test {

// Electrode behind the sample titration: emf = Ezero - Slope * pH + jCorr * [H+].
inline constexpr double kSampleEzero = 400;
inline constexpr double kSampleSlope = 59.2;
inline constexpr double kSampleJCorr = 30;

// 50 ml titrated with 0.1 M acid, volumes evenly from 0.5 to 10 ml, read by the electrode
// above with a small fixed noise of at most 0.4 mV, then calibrated as the calibration
// command does, which leaves the residuals in CalResidual (RmsError stays 0 if the fit
// fails).
inline Workspace sampleCalibration(std::int32_t count = 20)
{
    std::vector<std::pair<double, double>> points;
    for (std::int32_t i = 1; i <= count; ++i) {
        const double v = count > 1 ? 0.5 + 9.5 * (i - 1) / (count - 1) : 0.5;
        const double h = 0.1 * v / (v + 50);
        const double noise = 0.4 * std::sin(1.7 * i);
        points.emplace_back(v, kSampleEzero + kSampleSlope * std::log10(h) + kSampleJCorr * h + noise);
    }
    Workspace ws = testing::fileTitration(0.1, 50, points);
    Captions captions;
    testing::startFromCaptions(ws, captions);
    fitParameters(ws, captions, testing::kPointFormat);
    return ws;
}

}  // namespace quorlin::test
