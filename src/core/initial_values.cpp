#include "initial_values.h"

#include "electrode_model.h"

#include <cmath>

namespace quorlin {

namespace {

// The model of one point: [H+] and pH, or the failure there. Where [H+] is zero or below
// it is kept, without a pH; where it overflows, nothing is.
struct PointModel {
    Number h, ph;
    ModelOutcome::Failure failure = ModelOutcome::Failure::None;
};

PointModel modelPoint(const CalibrationData& data, std::int32_t i)
{
    const Number v = pointOr0(data.volume, i);
    // Values from a data file are all double, and so is all that follows from them.
    const bool inDouble = v.isDouble();
    const Number total = inDouble ? Number::fromDouble(v.value() + data.initialVolume.value()) : v + data.initialVolume;
    if (total.value() == 0.0) return {{}, {}, ModelOutcome::Failure::ZeroTotalVolume};
    const Number h = inDouble ? Number::fromDouble(data.acidConcentration.value() * v.value() / total.value())
                              : data.acidConcentration * v / total;
    if (!std::isfinite(h.value())) return {{}, {}, ModelOutcome::Failure::NoPositiveH};
    if (!(h.value() > 0.0)) return {h, {}, ModelOutcome::Failure::NoPositiveH};
    return {h, Number::fromDouble(pHOf(h.value()))};
}

void store(CalibrationData& data, std::int32_t i, const PointModel& m)
{
    data.hydrogen[static_cast<std::size_t>(i)] = m.h;
    data.pH[static_cast<std::size_t>(i)] = m.ph;
}

// The sums of the starting line. Empty accumulators count as 0 without forcing double
// precision, so the emf sum stays single when every emf was typed.
struct LineSums {
    Number sx, sxx, sy, sxy;

    void add(Number ph, Number e)
    {
        if (e.isDouble()) {
            const double p = ph.value(), emf = e.value();
            sx = Number::fromDouble(sx.value() + p);
            sxx = Number::fromDouble(sxx.value() + p * p);
            sy = Number::fromDouble(sy.value() + emf);
            sxy = Number::fromDouble(sxy.value() + p * emf);
        } else {
            sx = sx + ph;
            sxx = sxx + ph * ph;
            sy = sy + e;
            sxy = sxy + ph * e;
        }
    }
};

// Fills pH and [H+] up to the point where the model fails, or all of them.
ModelOutcome addModelValues(CalibrationData& data, LineSums& sums, bool& onePH)
{
    for (std::int32_t i = 1; i <= data.count; ++i) {
        const PointModel m = modelPoint(data, i);
        store(data, i, m);
        if (m.failure != ModelOutcome::Failure::None) return {m.failure, i};
        onePH = onePH && m.ph == data.pH[1];
        sums.add(m.ph, pointOr0(data.emf, i));
    }
    return {};
}

}  // namespace

ModelOutcome computeInitialValues(CalibrationData& data)
{
    const std::int32_t n = data.count;
    reallocateFresh(data.pH, n);
    reallocateFresh(data.hydrogen, n);
    // No residual exists before the fit evaluates one; a missing one reads as 0.
    data.residual.clear();

    LineSums sums;
    bool onePH = true;
    const ModelOutcome failure = addModelValues(data, sums, onePH);
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

}  // namespace quorlin
