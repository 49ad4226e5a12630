#include "initial_values.h"

#include <cmath>

namespace quorlin {

ModelOutcome computeInitialValues(CalibrationData& data)
{
    const std::int32_t n = data.count;
    reallocateFresh(data.pH, n);
    reallocateFresh(data.hydrogen, n);
    // No residual exists before the fit evaluates one; a missing one reads as 0.
    data.residual.clear();

    // Empty accumulators count as 0 without forcing double precision, so the emf sum
    // stays single when every emf was typed.
    Number sx, sxx, sy, sxy;
    bool onePH = true;
    for (std::int32_t i = 1; i <= n; ++i) {
        const Number v = pointOr0(data.volume, i);
        const Number total = v + data.initialVolume;
        if (total.value() == 0.0) return {ModelOutcome::Failure::ZeroTotalVolume, i};

        const Number h = data.acidConcentration * v / total;
        // An overflow fails before anything is stored; a [H+] of zero or below is stored
        // and then has no logarithm.
        if (!std::isfinite(h.value())) return {ModelOutcome::Failure::NoPositiveH, i};
        data.hydrogen[static_cast<std::size_t>(i)] = h;
        if (!(h.value() > 0.0)) return {ModelOutcome::Failure::NoPositiveH, i};

        const Number ph = Number::fromDouble(-std::log(h.value()) / std::log(10.0));
        data.pH[static_cast<std::size_t>(i)] = ph;
        onePH = onePH && ph == data.pH[1];

        const Number e = pointOr0(data.emf, i);
        sx = sx + ph;
        sxx = sxx + ph * ph;
        sy = sy + e;
        sxy = sxy + ph * e;
    }

    // The count is an integer; with any point the pH sums are double, so the line is too.
    const double d = n * sxx.value() - sx.value() * sx.value();
    // Points all at one pH have no line; rounding in the sums can leave D a hair off 0
    // and the line a meaningless one.
    if (d == 0.0 || onePH || !std::isfinite(d)) return {ModelOutcome::Failure::NoStartingLine, 0};
    const double a = (sy.value() * sxx.value() - sx.value() * sxy.value()) / d;
    const double b = (n * sxy.value() - sx.value() * sy.value()) / d;
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
