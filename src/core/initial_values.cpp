#include "initial_values.h"

#include <cmath>

namespace quorlin {

namespace {

// The sums of the starting line. Empty accumulators count as 0 without forcing double
// precision, so the emf sum stays single when every emf was typed.
struct LineSums {
    Number sx, sxx, sy, sxy;
};

// Fills pH and [H+] up to the point where the model fails, or all of them.
ModelOutcome addModelValues(CalibrationData& data, LineSums& sums, bool& onePH)
{
    const std::int32_t n = data.count;
    const double c = data.acidConcentration.value();
    const double v0 = data.initialVolume.value();
    for (std::int32_t i = 1; i <= n; ++i) {
        const Number v = pointOr0(data.volume, i);
        const Number e = pointOr0(data.emf, i);
        // Values from a data file are all double, and so is all that follows from them.
        const bool inDouble = v.isDouble() && e.isDouble();
        const Number total = inDouble ? Number::fromDouble(v.value() + v0) : v + data.initialVolume;
        if (total.value() == 0.0) return {ModelOutcome::Failure::ZeroTotalVolume, i};

        const Number h =
            inDouble ? Number::fromDouble(c * v.value() / total.value()) : data.acidConcentration * v / total;
        // An overflow fails before anything is stored; a [H+] of zero or below is stored
        // and then has no logarithm.
        if (!std::isfinite(h.value())) return {ModelOutcome::Failure::NoPositiveH, i};
        data.hydrogen.push_back(h);
        if (!(h.value() > 0.0)) return {ModelOutcome::Failure::NoPositiveH, i};

        const Number ph = Number::fromDouble(-std::log(h.value()) / std::log(10.0));
        data.pH.push_back(ph);
        onePH = onePH && ph == data.pH[1];

        if (inDouble) {
            const double p = ph.value(), emf = e.value();
            sums.sx = Number::fromDouble(sums.sx.value() + p);
            sums.sxx = Number::fromDouble(sums.sxx.value() + p * p);
            sums.sy = Number::fromDouble(sums.sy.value() + emf);
            sums.sxy = Number::fromDouble(sums.sxy.value() + p * emf);
        } else {
            sums.sx = sums.sx + ph;
            sums.sxx = sums.sxx + ph * ph;
            sums.sy = sums.sy + e;
            sums.sxy = sums.sxy + ph * e;
        }
    }
    return {};
}

}  // namespace

ModelOutcome computeInitialValues(CalibrationData& data)
{
    const std::int32_t n = data.count;
    // Slot 0 and then each point as it is modelled; slots the model does not reach stay
    // empty, so that every slot is written once.
    for (PointArray* values : {&data.pH, &data.hydrogen}) {
        values->clear();
        values->reserve(static_cast<std::size_t>(n < 0 ? 0 : n) + 1);
        values->push_back(Number());
    }
    // No residual exists before the fit evaluates one; a missing one reads as 0.
    data.residual.clear();

    LineSums sums;
    bool onePH = true;
    const ModelOutcome failure = addModelValues(data, sums, onePH);
    resizeKeeping(data.pH, n);
    resizeKeeping(data.hydrogen, n);
    if (!failure.ok()) return failure;

    // The count is an integer; with any point the pH sums are double, so the line is too.
    const double sx = sums.sx.value(), sxx = sums.sxx.value(), sy = sums.sy.value(), sxy = sums.sxy.value();
    const double d = n * sxx - sx * sx;
    // Points all at one pH have no line; rounding in the sums can leave D a hair off 0
    // and the line a meaningless one.
    if (d == 0.0 || onePH || !std::isfinite(d)) return {ModelOutcome::Failure::NoStartingLine, 0};
    const double a = (sy * sxx - sx * sxy) / d;
    const double b = (n * sxy - sx * sy) / d;
    if (!std::isfinite(a) || !std::isfinite(b)) return {ModelOutcome::Failure::NoStartingLine, 0};

    ModelOutcome line;
    line.intercept = a;
    line.slope = -b;
    return line;
}

std::string modelFailureText(const ModelOutcome& outcome)
{
    const std::string at = "Point " + std::to_string(outcome.point) + ": ";
    switch (outcome.failure) {
    case ModelOutcome::Failure::None: return {};
    case ModelOutcome::Failure::ZeroTotalVolume: return at + "volume plus initial volume is zero";
    case ModelOutcome::Failure::NoPositiveH: return at + "volume and constants give no pH";
    case ModelOutcome::Failure::NoStartingLine:
        return "The points give no starting line: fewer than two different pH values";
    }
    return {};
}

}  // namespace quorlin
