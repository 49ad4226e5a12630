#include "fit.h"

#include "ldl_solve.h"

#include <cmath>
#include <cstddef>

namespace quorlin {

namespace {

constexpr int kStepLimit = 25;
constexpr double kConvergence = 0.0001;
constexpr std::int32_t kParameterCount = 3;

Number single(float v) { return Number::fromSingle(v); }
float toSingle(Number v) { return static_cast<float>(v.value()); }
Number magnitude(Number v) { return v.value() < 0.0 ? -v : v; }

// The normal equations of one step; after the solve `step` holds the step and the
// matrix its L·D·Lᵀ factor beside the untouched upper triangle.
struct NormalEquations {
    SmallMatrix matrix{};
    SmallVector step{};
    SmallVector diagonal{};
};

// Points of a data file have every value in double: from point i on, as long as they do,
// the sums are those the general loop forms, in the same order, without asking each
// operand its precision, and held in locals meanwhile. Returns the first point not taken.
std::int32_t addDoublePoints(NormalEquations& eq, const CalibrationData& data, std::int32_t i)
{
    const auto widen = [](float v) { return static_cast<double>(v); };
    float s1 = eq.step[1], s2 = eq.step[2], s3 = eq.step[3];
    float m11 = eq.matrix[1][1], m12 = eq.matrix[1][2], m13 = eq.matrix[1][3];
    float m22 = eq.matrix[2][2], m23 = eq.matrix[2][3], m33 = eq.matrix[3][3];
    for (; i <= data.count; ++i) {
        const Number pH = pointOr0(data.pH, i);
        const Number hydrogen = pointOr0(data.hydrogen, i);
        const Number residual = data.residual[static_cast<std::size_t>(i)];
        if (!pH.isDouble() || !hydrogen.isDouble() || !residual.isDouble()) break;
        const double row2 = -pH.value();
        const double row3 = hydrogen.value();
        const double r = residual.value();
        s1 = static_cast<float>(widen(s1) + r);
        s2 = static_cast<float>(widen(s2) + row2 * r);
        s3 = static_cast<float>(widen(s3) + row3 * r);
        m11 = m11 + 1.0f;
        m12 = static_cast<float>(widen(m12) + row2);
        m13 = static_cast<float>(widen(m13) + row3);
        m22 = static_cast<float>(widen(m22) + row2 * row2);
        m23 = static_cast<float>(widen(m23) + row2 * row3);
        m33 = static_cast<float>(widen(m33) + row3 * row3);
    }
    eq.step = {0.0f, s1, s2, s3};
    eq.matrix[1] = {0.0f, m11, m12, m13};
    eq.matrix[2][2] = m22;
    eq.matrix[2][3] = m23;
    eq.matrix[3][3] = m33;
    return i;
}

// The derivatives and each product keep their source's precision (-pH is double,
// [H+] is single only when every input to it was typed), so a new sum is formed in
// double whenever a double enters and is then stored rounded to single.
NormalEquations buildNormalEquations(const CalibrationData& data)
{
    NormalEquations eq;
    std::array<Number, kParameterCount + 1> row{};
    for (std::int32_t i = addDoublePoints(eq, data, 1); i <= data.count; i = addDoublePoints(eq, data, i + 1)) {
        const Number residual = data.residual[static_cast<std::size_t>(i)];
        // The literal 1 takes the precision of whatever it is multiplied with.
        row[1] = single(1.0f);
        row[2] = -pointOr0(data.pH, i);
        row[3] = pointOr0(data.hydrogen, i);
        for (std::int32_t j = 1; j <= kParameterCount; ++j) {
            eq.step[j] = toSingle(single(eq.step[j]) + row[j] * residual);
            for (std::int32_t k = j; k <= kParameterCount; ++k)
                eq.matrix[j][k] = toSingle(single(eq.matrix[j][k]) + row[j] * row[k]);
        }
    }
    return eq;
}

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

// Step control after a step has been added to the parameters: evaluate the sum, halve
// while it rose. Leaves S1 and the unrounded sum of the last evaluation behind.
StepEnd controlStep(CalibrationData& data, ElectrodeParameters& p, const ElectrodeParameters& accepted,
                    SmallVector& step, Number s, float& s1, double& lastSum, FitProgress& track)
{
    for (;;) {
        // Parameters beyond single range are the overflow the single arithmetic stands for.
        if (!parametersFinite(p)) return StepEnd::Stuck;
        lastSum = sumOfSquaredResiduals(data, p);
        s1 = static_cast<float>(lastSum);
        if (hasConverged(s, s1)) return StepEnd::Converged;
        if (!(static_cast<double>(s1) > s.value())) return StepEnd::Accepted;
        if (++track.halvings == 1) track.firstHalvingStep = track.steps;
        if (!halveStep(p, step)) {
            // Halving to nothing means the step would return to the accepted point, but the
            // halved sum can differ from that point's by rounding: no better point exists, so
            // the fit has converged there, with its own sums and residuals.
            p = accepted;
            lastSum = sumOfSquaredResiduals(data, p);
            s1 = static_cast<float>(lastSum);
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
    const std::int32_t n = data.count;
    if (data.residual.size() < static_cast<std::size_t>(n < 0 ? 0 : n) + 1) resizeKeeping(data.residual, n);
    const Number ezero = single(parameters[kEzero]);
    const Number slope = single(parameters[kSlope]);
    const Number jcorr = single(parameters[kJcorr]);
    double s = 0.0;
    for (std::int32_t i = 1; i <= n; ++i) {
        const Number emf = pointOr0(data.emf, i);
        const Number hydrogen = pointOr0(data.hydrogen, i);
        const Number pH = pointOr0(data.pH, i);
        // Values from a data file are all double; their residual needs no precision checks.
        const Number r =
            emf.isDouble() && hydrogen.isDouble() && pH.isDouble() ? Number::fromDouble(
                emf.value() - (hydrogen.value() * jcorr.value() + (ezero.value() - pH.value() * slope.value())))
                                                                   : emf - (hydrogen * jcorr + (ezero - pH * slope));
        data.residual[static_cast<std::size_t>(i)] = r;
        s = s + (r * r).value();
    }
    return s;
}

FitResult fitParameters(CalibrationData& data, const ElectrodeParameters& start)
{
    FitResult result;
    FitProgress& track = result.progress;
    ElectrodeParameters& p = result.parameters;
    p = start;
    const auto fail = [&](FitOutcome outcome) {
        // A failed fit must not leave the parameters of a step that did not converge; the
        // residuals follow them back.
        result.outcome = outcome;
        p = start;
        result.rms = 0.0;
        result.sigma = {};
        sumOfSquaredResiduals(data, p);
        return result;
    };

    double lastSum = sumOfSquaredResiduals(data, p);
    Number s = Number::fromDouble(lastSum);
    float s1 = 0.0f;
    NormalEquations eq;
    for (;;) {
        if (track.steps == kStepLimit) return fail(FitOutcome::StepLimit);
        ++track.steps;

        eq = buildNormalEquations(data);
        if (!factorAndSolve(eq.matrix, eq.step, eq.diagonal, kParameterCount))
            return fail(FitOutcome::FactorizationFailed);
        const ElectrodeParameters accepted = p;
        for (std::int32_t j = 1; j <= kParameterCount; ++j) p[j] = p[j] + eq.step[j];

        const StepEnd end = controlStep(data, p, accepted, eq.step, s, s1, lastSum, track);
        if (end == StepEnd::Stuck) return fail(FitOutcome::StepLimit);
        if (end == StepEnd::Converged) break;
        s = single(s1);
    }

    // The sum at the final parameters is the one the last evaluation left, so it serves
    // for all three deviations without evaluating it again. A numerically singular matrix
    // that slipped through the factorization can leave a negative or infinite inverse
    // diagonal: no deviation to show, so the fit fails.
    if (!computeDeviations(result, eq, data.count, s1, lastSum)) return fail(FitOutcome::FactorizationFailed);
    result.outcome = FitOutcome::Converged;
    return result;
}

}  // namespace quorlin
