#include "fit.h"

#include "ldl_solve.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

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

// The sum of squared residuals at some parameters and the normal equations of a step
// from there, formed in one pass so that each step reads the points once.
struct Evaluation {
    double sum = 0.0;
    NormalEquations eq;
};

// The derivatives and each product keep their source's precision (-pH is double,
// [H+] is single only when every input to it was typed), so a new sum is formed in
// double whenever a double enters and is then stored rounded to single.
void addPoint(Evaluation& at, Number pH, Number hydrogen, Number residual)
{
    at.sum = at.sum + (residual * residual).value();
    NormalEquations& eq = at.eq;
    // The literal 1 takes the precision of whatever it is multiplied with.
    const std::array<Number, kParameterCount + 1> row{Number(), single(1.0f), -pH, hydrogen};
    for (std::int32_t j = 1; j <= kParameterCount; ++j) {
        eq.step[j] = toSingle(single(eq.step[j]) + row[j] * residual);
        for (std::int32_t k = j; k <= kParameterCount; ++k)
            eq.matrix[j][k] = toSingle(single(eq.matrix[j][k]) + row[j] * row[k]);
    }
}

Number residualAt(const CalibrationData& data, std::int32_t i, const ElectrodeParameters& p)
{
    const Number emf = pointOr0(data.emf, i);
    const Number hydrogen = pointOr0(data.hydrogen, i);
    const Number pH = pointOr0(data.pH, i);
    return emf - (hydrogen * single(p[kJcorr]) + (single(p[kEzero]) - pH * single(p[kSlope])));
}

// Two single sums carried side by side: each new sum is formed in double and rounded to
// single, lane by lane, exactly as one at a time would be, in half the instructions.
using SinglePair = float __attribute__((vector_size(8)));
using DoublePair = double __attribute__((vector_size(16)));

SinglePair addInDouble(SinglePair sums, DoublePair terms)
{
    return __builtin_convertvector(__builtin_convertvector(sums, DoublePair) + terms, SinglePair);
}

// Points of a data file have every value in double: from point i on, as long as they do,
// the sums are those addPoint forms, in the same order, without asking each operand its
// precision, and held in locals meanwhile. Returns the first point not taken. The count
// of points is a single sum too, and 1 + 1 formed in double and rounded is the single sum.
std::int32_t addDoublePoints(Evaluation& at, const CalibrationData& data, const ElectrodeParameters& p, std::int32_t i,
                             std::int32_t last)
{
    const double ezero = p[kEzero], slope = p[kSlope], jcorr = p[kJcorr];
    const Number* const emfs = data.emf.data();
    const Number* const hydrogens = data.hydrogen.data();
    const Number* const pHs = data.pH.data();
    NormalEquations& eq = at.eq;
    SmallVector& b = eq.step;
    SmallMatrix& m = eq.matrix;
    double sum = at.sum;
    SinglePair b1b2{b[1], b[2]}, b3m11{b[3], m[1][1]}, m12m13{m[1][2], m[1][3]}, m22m23{m[2][2], m[2][3]};
    SinglePair m33{m[3][3], 0.0f};
    for (; i <= last; ++i) {
        const Number emf = emfs[i], hydrogen = hydrogens[i], pH = pHs[i];
        if (!emf.isDouble() || !hydrogen.isDouble() || !pH.isDouble()) break;
        const double row2 = -pH.value();
        const double row3 = hydrogen.value();
        const double r = emf.value() - (row3 * jcorr + (ezero - pH.value() * slope));
        sum = sum + r * r;
        b1b2 = addInDouble(b1b2, DoublePair{r, row2 * r});
        b3m11 = addInDouble(b3m11, DoublePair{row3 * r, 1.0});
        m12m13 = addInDouble(m12m13, DoublePair{row2, row3});
        m22m23 = addInDouble(m22m23, DoublePair{row2 * row2, row2 * row3});
        m33 = addInDouble(m33, DoublePair{row3 * row3, 0.0});
    }
    at.sum = sum;
    b = {0.0f, b1b2[0], b1b2[1], b3m11[0]};
    m[1] = {0.0f, b3m11[1], m12m13[0], m12m13[1]};
    m[2][2] = m22m23[0];
    m[2][3] = m22m23[1];
    m[3][3] = m33[0];
    return i;
}

// The last point an array holds a slot for; -1 when it has not even slot 0.
std::int32_t lastSlot(const PointArray& a)
{
    return static_cast<std::int32_t>(std::min<std::size_t>(a.size(), std::size_t{INT32_MAX} + 1)) - 1;
}

Evaluation evaluate(const CalibrationData& data, const ElectrodeParameters& p)
{
    Evaluation at;
    // Past the end of any array a value counts as 0, which only the general sums handle.
    const std::int32_t last = std::min({data.count, lastSlot(data.emf), lastSlot(data.hydrogen), lastSlot(data.pH)});
    for (std::int32_t i = addDoublePoints(at, data, p, 1, last); i <= data.count;
         i = addDoublePoints(at, data, p, i + 1, last))
        addPoint(at, pointOr0(data.pH, i), pointOr0(data.hydrogen, i), residualAt(data, i, p));
    return at;
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

    Evaluation last = evaluate(data, p);
    Number s = Number::fromDouble(last.sum);
    float s1 = 0.0f;
    NormalEquations eq;
    for (;;) {
        if (track.steps == kStepLimit) return fail(FitOutcome::StepLimit);
        ++track.steps;

        // The step starts from the accepted parameters, whose evaluation formed its equations.
        eq = last.eq;
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
