#pragma once

#include "number.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <numbers>
#include <type_traits>

namespace quorlin {

// The electrode equation, emf = Ezero − Slope·pH + j corr·[H+]: the fit calibrates it,
// the statistics solve it in double, the adjustment inverts it. Each form below keeps the
// order and precision of its operations, on which the fitted bits depend.

// Ezero (mV), Slope (mV per pH) and j corr (mV per mol/L) in slots 1..3, single
// precision by design; slot 0 is unused, as in the normal equations.
inline constexpr std::int32_t kParameterCount = 3;
using ElectrodeParameters = std::array<float, kParameterCount + 1>;
inline constexpr std::size_t kEzero = 1;
inline constexpr std::size_t kSlope = 2;
inline constexpr std::size_t kJcorr = 3;

// The derivatives of emf with respect to the parameters at a point, in their slots:
// 1, −pH and [H+]. As a Number the 1 is single, so a product with it takes the other
// operand's precision.
template <typename T>
constexpr std::array<T, kParameterCount + 1> designRow(T pH, T hydrogen)
{
    if constexpr (std::is_same_v<T, Number>)
        return {Number(), Number::fromSingle(1.0f), -pH, hydrogen};
    else
        return {T(), T(1), -pH, hydrogen};
}

// The emf at a point, j corr·[H+] + (Ezero − Slope·pH), in T's arithmetic: a Number
// keeps each operand's precision, a double stands for points that are all double.
template <typename T>
constexpr T emfAt(T ezero, T slope, T jcorr, T pH, T hydrogen)
{
    return hydrogen * jcorr + (ezero - pH * slope);
}

// The same with the parameters as the fit holds them, in single precision.
inline Number emfAt(const ElectrodeParameters& p, Number pH, Number hydrogen)
{
    const auto single = [&p](std::size_t k) { return Number::fromSingle(p[k]); };
    return emfAt(single(kEzero), single(kSlope), single(kJcorr), pH, hydrogen);
}

// pH = −log10 [H+], both ways through natural logarithms.
inline double hydrogenAt(double pH) { return std::exp(-pH * std::numbers::ln10); }
inline double pHOf(double hydrogen) { return -std::log(hydrogen) / std::numbers::ln10; }

// An observed emf minus the equation at pH: zero at the pH the reading stands for.
inline double emfMismatch(const ElectrodeParameters& p, double emf, double pH)
{
    return emf - emfAt<double>(p[kEzero], p[kSlope], p[kJcorr], pH, hydrogenAt(pH));
}

// d emfMismatch / d pH = −d emf / d pH.
inline double mismatchPhSlope(const ElectrodeParameters& p, double hydrogen)
{
    return static_cast<double>(p[kSlope]) + static_cast<double>(p[kJcorr]) * hydrogen * std::numbers::ln10;
}

// What the adjustment keeps of a reading: emf − j corr·[H+].
inline Number adjustedEmf(const ElectrodeParameters& p, Number emf, double hydrogen)
{
    return emf - Number::fromSingle(p[kJcorr]) * Number::fromDouble(hydrogen);
}

// The adjusted emf's derivatives with respect to the parameters at a fixed pH, and with
// respect to the pH at fixed parameters. The latter groups j corr·ln10·[H+] unlike
// mismatchPhSlope: each grouping gives the bits the adjusted sigmas have always had.
inline std::array<double, kParameterCount + 1> adjustedEmfGradientAtPh(double hydrogen)
{
    return {0.0, 0.0, 0.0, -hydrogen};
}
inline double adjustedEmfPhSlope(const ElectrodeParameters& p, double hydrogen)
{
    return static_cast<double>(p[kJcorr]) * std::numbers::ln10 * hydrogen;
}

}  // namespace quorlin
