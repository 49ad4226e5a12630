#pragma once

#include "number.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace quorlin {

// A point array for c points has slots 0..c; slot 0 is never a point, and the count,
// not the size, says how many points are valid.
using PointArray = std::vector<Number>;

// Everything one run works on. Exactly one exists, owned by the main window (or by the
// headless companion) for the whole run; it is plain data without behaviour.
struct Workspace {
    // Calibration titration.
    std::int32_t CalCount = 0;
    PointArray CalVolume;  // ml of acid added before point i
    PointArray CalEmf;     // mV
    Number AcidConc;       // C, mol/L
    Number InitVolume;     // V0, ml

    // Model values, valid from the last computeInitialValues until the points change.
    PointArray CalH;         // mol/L
    PointArray CalPH;        // pH units
    PointArray CalResidual;  // observed minus calculated emf, mV

    // Data for adjustment; the adjusted values live only as grid texts.
    std::int32_t AdjCount = 0;
    PointArray AdjVolume;
    PointArray AdjEmf;

    // Electrode parameters 1..3 (Ezero, Slope, j corr), single precision by design.
    std::array<float, 4> Params{};
    double RmsError = 0.0;
    std::string SigmaText;

    // Scratch of the fit; rows and columns 1..3 used.
    std::array<std::array<float, 4>, 4> NormalMatrix{};
    std::array<float, 4> NormalRhs{};
    std::array<float, 4> FactorDiag{};
    std::array<Number, 4> DerivRow{};
    std::int32_t SolveStatus = 0;

    std::string DataDir;
};

// Grows or shrinks an array to slots 0..count, keeping the slots that still exist.
inline void resizeKeeping(PointArray& a, std::int32_t count)
{
    a.resize(static_cast<std::size_t>(count < 0 ? 0 : count) + 1);
}

// Reallocates an array fresh to slots 0..count, every slot empty.
inline void reallocateFresh(PointArray& a, std::int32_t count)
{
    a.assign(static_cast<std::size_t>(count < 0 ? 0 : count) + 1, Number());
}

// Reads point i, or no value when the array has no such slot (it counts as 0).
inline Number pointOr0(const PointArray& a, std::int32_t i)
{
    return i >= 0 && static_cast<std::size_t>(i) < a.size() ? a[static_cast<std::size_t>(i)] : Number();
}

}  // namespace quorlin
