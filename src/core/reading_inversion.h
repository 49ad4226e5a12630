#pragma once

#include "data_sets.h"
#include "inversion.h"

#include <cstdint>
#include <optional>

namespace quorlin {

// What the points a calibration fitted span: their measured emf and their model pH.
struct CalibratedSpan {
    double lowEmf = 0.0;
    double highEmf = 0.0;
    double lowPh = 0.0;
    double highPh = 0.0;
};
CalibratedSpan calibratedSpan(const CalibrationData& fitted);

// Where the electrode function emf(pH) turns over, at pH* = −log10(Slope/(−j corr·ln10)),
// when that lies inside pH 0..14; and whether the fitted points lie on both sides of it.
struct TurningPoint {
    double pH = 0.0;
    bool spanned = false;
};

// Why an adjusted value is not to be trusted, as bits.
using ReadingFlags = std::uint8_t;
inline constexpr ReadingFlags kOutsideCalibration = 1;  // the reading lies beyond the fitted points' emf
inline constexpr ReadingFlags kNoRoot = 2;              // no pH in 0..14: adjusted as at pH 0
inline constexpr ReadingFlags kTurningPoint = 4;        // found past the turn, or the fit spans it

// How the readings are turned into pH with one calibration: by false position on pH 0..14
// as the adjustment has always done. Only where the electrode function turns over inside
// that interval, the ends do not bracket a root, and the fitted points all lie on one side
// of the turn, the same search runs between the turn and the end on that side: the reading
// then stands for a pH on the branch that was calibrated, not for none.
class ReadingInversion {
public:
    ReadingInversion(const ElectrodeParameters& p, const CalibratedSpan& span);

    const ElectrodeParameters& parameters() const { return p_; }
    const std::optional<TurningPoint>& turn() const { return turn_; }

    Inversion invert(double emf) const;
    // What marks the reading `emf`, inverted as `found`, as doubtful.
    ReadingFlags flags(double emf, const Inversion& found) const;

private:
    ElectrodeParameters p_;
    CalibratedSpan span_;
    std::optional<TurningPoint> turn_;
};

}  // namespace quorlin
