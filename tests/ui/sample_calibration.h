#pragma once

#include "core/captions.h"
#include "core/fit.h"
#include "core/initial_values.h"
#include "core/workspace.h"
#include "io/number_text.h"

#include <cmath>
#include <cstdint>

namespace quorlin::test {

// Electrode behind the sample titration: emf = Ezero - Slope * pH + jCorr * [H+].
inline constexpr double kSampleEzero = 400;
inline constexpr double kSampleSlope = 59.2;
inline constexpr double kSampleJCorr = 30;

// 50 ml titrated with 0.1 M acid, volumes evenly from 0.5 to 10 ml, read by the electrode
// above with a small fixed noise of at most 0.4 mV, then calibrated as the calibration
// command does: model values and starting captions, starting parameters read back from
// the captions, and the fit, which leaves the residuals in CalResidual (RmsError stays 0
// if it fails).
inline Workspace sampleCalibration(std::int32_t count = 20)
{
    Workspace ws;
    ws.CalCount = count;
    ws.AcidConc = Number::fromDouble(0.1);
    ws.InitVolume = Number::fromDouble(50);
    reallocateFresh(ws.CalVolume, count);
    reallocateFresh(ws.CalEmf, count);
    for (std::int32_t i = 1; i <= count; ++i) {
        const double v = count > 1 ? 0.5 + 9.5 * (i - 1) / (count - 1) : 0.5;
        const double h = 0.1 * v / (v + 50);
        const double noise = 0.4 * std::sin(1.7 * i);
        const auto k = static_cast<std::size_t>(i);
        ws.CalVolume[k] = Number::fromDouble(v);
        ws.CalEmf[k] = Number::fromDouble(kSampleEzero + kSampleSlope * std::log10(h) + kSampleJCorr * h + noise);
    }

    const RegionalFormat format{RegionalSettings{}};
    Captions captions;
    InitialValues(ws, captions, format);
    for (std::size_t k = 1; k <= 3; ++k)
        ws.Params[k] = static_cast<float>(TextToNumber(captions.Parameter[k], format.regional()).number.value());
    FitParameters(ws, captions, format);
    return ws;
}

}  // namespace quorlin::test
