#pragma once

#include "data_sets.h"

#include <cstdint>
#include <string>

namespace quorlin {

// Why the titration model stopped, and at which point (0 when no point is to blame); on
// success the straight line of emf against pH that gives the starting Ezero and Slope.
struct ModelOutcome {
    enum class Failure { None, ZeroTotalVolume, NoPositiveH, NoStartingLine };
    Failure failure = Failure::None;
    std::int32_t point = 0;
    double intercept = 0.0;  // starting Ezero
    double slope = 0.0;      // starting Slope: minus the line's gradient

    bool ok() const { return failure == Failure::None; }
};

// Model [H+] and pH of every calibration point from C·v/(v + V0), and the straight line
// of emf against pH. On an arithmetic failure it stops where it failed: earlier points
// keep their new values.
ModelOutcome computeInitialValues(CalibrationData& data);

}  // namespace quorlin
