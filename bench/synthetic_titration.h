#pragma once

#include "core/data_sets.h"
#include "core/fit.h"
#include "core/initial_values.h"

#include <cmath>
#include <cstdint>
#include <random>

namespace quorlin::bench {

// Additions of 0.1 M acid to 50 ml from 0.5 to 20 ml, read by an electrode of Ezero 400,
// Slope 59.16 and j corr 150 to 0.01 mV with ±0.1 mV noise, as a data file would hold them.
inline CalibrationData syntheticTitration(std::int32_t n)
{
    std::mt19937 noise(42);
    CalibrationData data;
    data.acidConcentration = Number::fromDouble(0.1);
    data.initialVolume = Number::fromDouble(50);
    data.count = n;
    reallocateFresh(data.volume, n);
    reallocateFresh(data.emf, n);
    for (std::int32_t i = 1; i <= n; ++i) {
        const double v = 0.5 + 19.5 * (i - 1) / (n - 1);
        const double h = 0.1 * v / (v + 50);
        const double emf = 400 + 59.16 * std::log10(h) + 150 * h + (static_cast<int>(noise() % 21) - 10) / 100.0;
        data.volume[static_cast<std::size_t>(i)] = Number::fromDouble(v);
        data.emf[static_cast<std::size_t>(i)] = Number::fromDouble(std::round(emf * 100) / 100);
    }
    return data;
}

// The same titration with its model values and the residuals of a fit, ready to plot.
inline CalibrationData fittedTitration(std::int32_t n)
{
    CalibrationData data = syntheticTitration(n);
    const ModelOutcome line = computeInitialValues(data);
    const ElectrodeParameters start{0, static_cast<float>(line.intercept), static_cast<float>(line.slope), 0};
    sumOfSquaredResiduals(data, fitParameters(data, start).parameters);
    return data;
}

}  // namespace quorlin::bench
