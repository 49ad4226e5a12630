#pragma once

#include "electrode_model.h"
#include "number.h"

#include <cstdint>
#include <vector>

namespace quorlin {

// A point array for c points has slots 0..c; slot 0 is never a point, and the count,
// not the size, says how many points are valid.
using PointArray = std::vector<Number>;

// Volumes and emf readings; a titration for calibration or the data to adjust.
struct PointSet {
    std::int32_t count = 0;
    PointArray volume;  // ml
    PointArray emf;     // mV
};

// The titration with its two constants and, valid from the last computeInitialValues
// until the points change, the model values of each point.
struct CalibrationData : PointSet {
    Number acidConcentration;  // C, mol/L
    Number initialVolume;      // V0, ml

    PointArray hydrogen;  // [H+], mol/L
    PointArray pH;
    PointArray residual;  // observed minus calculated emf, mV
};

using AdjustmentData = PointSet;

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
