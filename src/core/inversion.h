#pragma once

#include "electrode_model.h"

namespace quorlin {

// What the false-position search on pH 0..14 found for one reading.
struct Inversion {
    enum class Kind {
        Root,    // pH holds the root
        NoRoot,  // the ends do not bracket a root (also when both ends are exactly zero)
        Failed,  // the arithmetic broke down: a non-finite emf, parameter or intermediate
    };
    Kind kind = Kind::NoRoot;
    double pH = 0.0;
    // The root was found between a turning point of the electrode function and one end,
    // pH 0 and 14 not bracketing it.
    bool pastTurn = false;
};

// The pH at which emfMismatch is zero, by false position between pH 0 and 14 with a
// tolerance of 1E-5 on the move of the end point and at most 30 steps (the last estimate
// is returned when the steps run out).
Inversion findPhByFalsePosition(const ElectrodeParameters& p, double emf);
// The same search between pH `low` and `high`.
Inversion findPhByFalsePosition(const ElectrodeParameters& p, double emf, double low, double high);

}  // namespace quorlin
