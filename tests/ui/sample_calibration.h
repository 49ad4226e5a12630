#pragma once

#include "core/captions.h"
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
// above with a small fixed noise of at most 0.4 mV; model values from InitialValues and
// residuals against the electrode's own parameters.
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

    Captions captions;
    InitialValues(ws, captions, RegionalFormat(RegionalSettings{}));
    for (std::int32_t i = 1; i <= count; ++i) {
        const auto k = static_cast<std::size_t>(i);
        const double model = kSampleEzero - kSampleSlope * ws.CalPH[k].value() + kSampleJCorr * ws.CalH[k].value();
        ws.CalResidual[k] = Number::fromDouble(ws.CalEmf[k].value() - model);
    }
    return ws;
}

}  // namespace quorlin::test
