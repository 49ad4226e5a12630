#include "reading_inversion.h"

#include "electrode_model.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quorlin {

namespace {

constexpr double kLowEnd = 0.0;
constexpr double kHighEnd = 14.0;

// d emf / d pH = −Slope − j corr·ln10·[H+] is zero where [H+] = Slope/(−j corr·ln10).
std::optional<double> turningPh(const ElectrodeParameters& p)
{
    const double hydrogen = static_cast<double>(p[kSlope]) / (-static_cast<double>(p[kJcorr]) * std::numbers::ln10);
    if (!(hydrogen > 0.0) || !std::isfinite(hydrogen)) return std::nullopt;
    const double pH = -std::log10(hydrogen);
    if (!(pH > kLowEnd && pH < kHighEnd)) return std::nullopt;
    return pH;
}

}  // namespace

CalibratedSpan calibratedSpan(const CalibrationData& fitted)
{
    CalibratedSpan span{INFINITY, -INFINITY, INFINITY, -INFINITY};
    for (std::int32_t i = 1; i <= fitted.count; ++i) {
        const double emf = pointOr0(fitted.emf, i).value(), pH = pointOr0(fitted.pH, i).value();
        span.lowEmf = std::min(span.lowEmf, emf);
        span.highEmf = std::max(span.highEmf, emf);
        span.lowPh = std::min(span.lowPh, pH);
        span.highPh = std::max(span.highPh, pH);
    }
    return span;
}

ReadingInversion::ReadingInversion(const ElectrodeParameters& p, const CalibratedSpan& span) : p_(p), span_(span)
{
    if (const std::optional<double> pH = turningPh(p)) turn_ = TurningPoint{*pH, span.lowPh < *pH && span.highPh > *pH};
}

Inversion ReadingInversion::invert(double emf) const
{
    Inversion found = findPhByFalsePosition(p_, emf);
    if (found.kind != Inversion::Kind::NoRoot || !turn_ || turn_->spanned) return found;
    // Ends of one sign, not both zero: the reading may still meet the calibrated branch.
    if (!(emfMismatch(p_, emf, kLowEnd) * emfMismatch(p_, emf, kHighEnd) > 0.0)) return found;
    const bool calibratedAbove = span_.lowPh >= turn_->pH;
    found = calibratedAbove ? findPhByFalsePosition(p_, emf, turn_->pH, kHighEnd)
                            : findPhByFalsePosition(p_, emf, kLowEnd, turn_->pH);
    found.pastTurn = found.kind == Inversion::Kind::Root;
    return found;
}

ReadingFlags ReadingInversion::flags(double emf, const Inversion& found) const
{
    ReadingFlags flags = 0;
    if (emf < span_.lowEmf || emf > span_.highEmf) flags |= kOutsideCalibration;
    if (found.kind == Inversion::Kind::NoRoot) flags |= kNoRoot;
    if (found.pastTurn || (turn_ && turn_->spanned)) flags |= kTurningPoint;
    return flags;
}

}  // namespace quorlin
