#include "fit.h"

#include "ldl_solve.h"
#include "normal_equations.h"

#include <cmath>
#include <cstddef>

namespace quorlin {

namespace {

constexpr int kStepLimit = 25;
constexpr double kConvergence = 0.0001;

Number single(float v) { return Number::fromSingle(v); }
Number magnitude(Number v) { return v.value() < 0.0 ? -v : v; }

// The normal equations of one step; after the solve `step` holds the step and the
// matrix its L·D·Lᵀ factor beside the untouched upper triangle.
struct NormalEquations {
    SmallMatrix matrix{};
    SmallVector step{};
    SmallVector diagonal{};
};

// S is the double starting sum until the first accepted step and an earlier single S1
// after it, so the relative change is double at the first step and single from the
// second on: float(|float(S − S1)| / S1), compared with the double 0.0001.
bool hasConverged(Number s, float s1)
{
    // Data that fit exactly reach S1 = 0; with S also 0 nothing changes any more.
    if (s1 == 0.0f) return s.value() == 0.0;
    return (magnitude(s - single(s1)) / single(s1)).value() < kConvergence;
}

bool parametersFinite(const ElectrodeParameters& p)
{
    for (std::int32_t j = 1; j <= kParameterCount; ++j)
        if (!std::isfinite(p[j])) return false;
    return true;
}

// Halves the step and moves the parameters back by it. Returns false once every halved
// step has become zero (after at most ~280 halvings): the parameters can no longer move,
// so repeating would never end. Usually the relative change falls below the threshold
// long before, back near the previous point; but an overflow, or a huge step on
// ill-conditioned data that rounding keeps off the previous point by more than the sum
// tolerates, would otherwise halve forever.
bool halveStep(ElectrodeParameters& p, SmallVector& step)
{
    bool moved = false;
    for (std::int32_t j = 1; j <= kParameterCount; ++j) {
        step[j] = step[j] / 2.0f;
        p[j] = p[j] - step[j];
        moved = moved || step[j] != 0.0f;
    }
    return moved;
}

enum class StepEnd { Converged, Accepted, Stuck };

// Step control after a step has been added to the parameters: evaluate, halve while the
// sum rose. Leaves S1 and the last evaluation behind.
StepEnd controlStep(const CalibrationData& data, ElectrodeParameters& p, const ElectrodeParameters& accepted,
                    SmallVector& step, Number s, float& s1, Evaluation& last, FitProgress& track)
{
    for (;;) {
        // Parameters beyond single range are the overflow the single arithmetic stands for.
        if (!parametersFinite(p)) return StepEnd::Stuck;
        last = evaluate(data, p);
        s1 = static_cast<float>(last.sum);
        if (hasConverged(s, s1)) return StepEnd::Converged;
        if (!(static_cast<double>(s1) > s.value())) return StepEnd::Accepted;
        if (++track.halvings == 1) track.firstHalvingStep = track.steps;
        if (!halveStep(p, step)) {
            // Halving to nothing means the step would return to the accepted point, but the
            // halved sum can differ from that point's by rounding: no better point exists, so
            // the fit has converged there, with its own sums.
            p = accepted;
            last = evaluate(data, p);
            s1 = static_cast<float>(last.sum);
            return StepEnd::Converged;
        }
    }
}

// The rms and the standard deviations, from the single sum S1 of the converged step and
// the double sum S2 at the final parameters. The factor inverted is that of the last
// step, computed before its step was applied. False when any comes out non-finite.
bool computeDeviations(FitResult& result, NormalEquations& eq, std::int32_t count, float s1, double s2)
{
    // Both in double: S1 is widened, and the inverse's diagonal times S2 has the double S2.
    const double dof = count - kParameterCount;
    result.rms = std::sqrt(static_cast<double>(s1) / dof);
    invertFactored(eq.matrix, eq.diagonal, kParameterCount);
    bool finite = std::isfinite(result.rms);
    for (std::int32_t j = 1; j <= kParameterCount; ++j) {
        result.sigma[j] = std::sqrt(static_cast<double>(eq.matrix[j][j]) * s2 / dof);
        finite = finite && std::isfinite(result.sigma[j]);
    }
    return finite;
}

}  // namespace

double sumOfSquaredResiduals(CalibrationData& data, const ElectrodeParameters& parameters)
{
    // The same sum and residuals as the fit's evaluations, kept.
    const std::int32_t n = data.count;
    if (data.residual.size() < static_cast<std::size_t>(n < 0 ? 0 : n) + 1) resizeKeeping(data.residual, n);
    double s = 0.0;
    for (std::int32_t i = 1; i <= n; ++i) {
        const Number r = residualAt(data, i, parameters);
        data.residual[static_cast<std::size_t>(i)] = r;
        s = s + (r * r).value();
    }
    return s;
}

FitResult fitParameters(const CalibrationData& data, const ElectrodeParameters& start)
{
    FitResult result;
    FitProgress& track = result.progress;
    ElectrodeParameters& p = result.parameters;
    p = start;
    // A failed fit must not leave the parameters of a step that did not converge.
    const auto fail = [&](FitOutcome outcome) {
        result.outcome = outcome;
        p = start;
        result.rms = 0.0;
        result.sigma = {};
        return result;
    };

    const SmallMatrix matrix = normalMatrix(data);
    Evaluation last = evaluate(data, p);
    Number s = Number::fromDouble(last.sum);
    float s1 = 0.0f;
    NormalEquations eq;
    for (;;) {
        if (track.steps == kStepLimit) return fail(FitOutcome::StepLimit);
        ++track.steps;

        // The step starts from the accepted parameters, whose evaluation formed its sums.
        eq = {matrix, last.rightHandSide, {}};
        if (!factorAndSolve(eq.matrix, eq.step, eq.diagonal, kParameterCount))
            return fail(FitOutcome::FactorizationFailed);
        const ElectrodeParameters accepted = p;
        for (std::int32_t j = 1; j <= kParameterCount; ++j) p[j] = p[j] + eq.step[j];

        const StepEnd end = controlStep(data, p, accepted, eq.step, s, s1, last, track);
        if (end == StepEnd::Stuck) return fail(FitOutcome::StepLimit);
        if (end == StepEnd::Converged) break;
        s = single(s1);
    }

    // The sum at the final parameters is the one the last evaluation left, so it serves
    // for all three deviations without evaluating it again. A numerically singular matrix
    // that slipped through the factorization can leave a negative or infinite inverse
    // diagonal: no deviation to show, so the fit fails.
    if (!computeDeviations(result, eq, data.count, s1, last.sum)) return fail(FitOutcome::FactorizationFailed);
    result.outcome = FitOutcome::Converged;
    return result;
}

}  // namespace quorlin
