#include "fit.h"

#include "ldl_solve.h"
#include "sigma_text.h"

#include <cmath>
#include <cstddef>

namespace quorlin {

namespace {

constexpr int kStepLimit = 25;
constexpr double kConvergence = 0.0001;
constexpr std::int32_t kParameterCount = 3;
constexpr std::int32_t kFactorFailCode = 2;

Number single(float v) { return Number::fromSingle(v); }
float toSingle(Number v) { return static_cast<float>(v.value()); }
Number magnitude(Number v) { return v.value() < 0.0 ? -v : v; }

// The derivatives and each product keep their source's precision (-CalPH is double,
// CalH is single only when every input to it was typed), so a new sum is formed in
// double whenever a double enters and is then stored rounded to single.
void buildNormalEquations(Workspace& ws)
{
    ws.NormalMatrix = {};
    ws.NormalRhs = {};
    ws.FactorDiag = {};
    auto& row = ws.DerivRow;
    for (std::int32_t i = 1; i <= ws.CalCount; ++i) {
        // The literal 1 takes the precision of whatever it is multiplied with.
        row[1] = single(1.0f);
        row[2] = -pointOr0(ws.CalPH, i);
        row[3] = pointOr0(ws.CalH, i);
        const Number residual = ws.CalResidual[static_cast<std::size_t>(i)];
        for (std::int32_t j = 1; j <= kParameterCount; ++j) {
            ws.NormalRhs[j] = toSingle(single(ws.NormalRhs[j]) + row[j] * residual);
            for (std::int32_t k = j; k <= kParameterCount; ++k)
                ws.NormalMatrix[j][k] = toSingle(single(ws.NormalMatrix[j][k]) + row[j] * row[k]);
        }
    }
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

bool parametersFinite(const Workspace& ws)
{
    for (std::int32_t j = 1; j <= kParameterCount; ++j)
        if (!std::isfinite(ws.Params[j])) return false;
    return true;
}

// Halves the step and moves the parameters back by it. Returns false once every halved
// step has become zero (after at most ~280 halvings): the parameters can no longer move,
// so repeating would never end. Usually the relative change falls below the threshold
// long before, back near the previous point; but an overflow, or a huge step on
// ill-conditioned data that rounding keeps off the previous point by more than the sum
// tolerates, would otherwise halve forever.
bool halveStep(Workspace& ws)
{
    bool moved = false;
    for (std::int32_t j = 1; j <= kParameterCount; ++j) {
        ws.NormalRhs[j] = ws.NormalRhs[j] / 2.0f;
        ws.Params[j] = ws.Params[j] - ws.NormalRhs[j];
        moved = moved || ws.NormalRhs[j] != 0.0f;
    }
    return moved;
}

enum class StepEnd { Converged, Accepted, Stuck };

// Step control after a step has been added to Params: evaluate the sum, halve while it
// rose. Leaves S1 and the unrounded sum of the last evaluation behind.
StepEnd controlStep(Workspace& ws, Number s, float& s1, double& lastSum, FitProgress& track)
{
    for (;;) {
        // Parameters beyond single range are the overflow the single arithmetic stands for.
        if (!parametersFinite(ws)) return StepEnd::Stuck;
        lastSum = sumOfSquaredResiduals(ws);
        s1 = static_cast<float>(lastSum);
        if (hasConverged(s, s1)) return StepEnd::Converged;
        if (!(static_cast<double>(s1) > s.value())) return StepEnd::Accepted;
        if (++track.halvings == 1) track.firstHalvingStep = track.steps;
        if (!halveStep(ws)) return StepEnd::Stuck;
    }
}

struct Deviations {
    double rms = 0.0;
    std::array<double, 4> sigma{};  // 1..3 used
};

// The rms and the standard deviations, from the single sum S1 of the converged step and
// the double sum S2 at the final parameters. The factor inverted is that of the last
// step, computed before its step was applied.
Deviations computeDeviations(Workspace& ws, float s1, double s2)
{
    // Both in double: S1 is widened, and NormalMatrix[j][j]·S2 has the double S2.
    const double dof = ws.CalCount - kParameterCount;
    Deviations dev;
    dev.rms = std::sqrt(static_cast<double>(s1) / dof);
    invertFactored(ws.NormalMatrix, ws.FactorDiag, kParameterCount);
    for (std::int32_t j = 1; j <= kParameterCount; ++j)
        dev.sigma[j] = std::sqrt(static_cast<double>(ws.NormalMatrix[j][j]) * s2 / dof);
    return dev;
}

bool allFinite(const Deviations& dev)
{
    if (!std::isfinite(dev.rms)) return false;
    for (std::int32_t j = 1; j <= kParameterCount; ++j)
        if (!std::isfinite(dev.sigma[j])) return false;
    return true;
}

void writeResults(Workspace& ws, Captions& captions, const DisplayFormat& format,
                  const Deviations& dev)
{
    ws.RmsError = dev.rms;
    captions.rmserror = "Rms error = " + format.formatNumber(dev.rms, "#0.0000");
    for (std::int32_t j = 1; j <= kParameterCount; ++j) {
        ws.SigmaText = oneFigureText(dev.sigma[j], format);
        captions.Parameter[static_cast<std::size_t>(j)] =
            parameterCaption(ws.Params[j], dev.sigma[j], ws.SigmaText, format);
    }
}

}  // namespace

double sumOfSquaredResiduals(Workspace& ws)
{
    const std::int32_t n = ws.CalCount;
    if (ws.CalResidual.size() < static_cast<std::size_t>(n < 0 ? 0 : n) + 1)
        resizeKeeping(ws.CalResidual, n);
    const Number ezero = single(ws.Params[1]);
    const Number slope = single(ws.Params[2]);
    const Number jcorr = single(ws.Params[3]);
    double s = 0.0;
    for (std::int32_t i = 1; i <= n; ++i) {
        const Number r = pointOr0(ws.CalEmf, i)
            - (pointOr0(ws.CalH, i) * jcorr + (ezero - pointOr0(ws.CalPH, i) * slope));
        ws.CalResidual[static_cast<std::size_t>(i)] = r;
        s = s + (r * r).value();
    }
    return s;
}

FitOutcome fitParameters(Workspace& ws, Captions& captions, const DisplayFormat& format,
                         FitProgress* progress)
{
    FitProgress local;
    FitProgress& track = progress ? *progress : local;
    track = {};
    const auto start = ws.Params;
    const auto fail = [&](FitOutcome outcome) {
        // A failed fit must not leave the parameters of a step that did not converge for
        // the next adjustment to pick up; the residuals follow them back.
        ws.Params = start;
        sumOfSquaredResiduals(ws);
        return outcome;
    };

    double lastSum = sumOfSquaredResiduals(ws);
    Number s = Number::fromDouble(lastSum);
    float s1 = 0.0f;
    for (;;) {
        if (track.steps == kStepLimit) return fail(FitOutcome::StepLimit);
        ++track.steps;

        buildNormalEquations(ws);
        ws.SolveStatus = factorAndSolve(ws.NormalMatrix, ws.NormalRhs, ws.FactorDiag,
                                     kParameterCount, kFactorFailCode);
        if (ws.SolveStatus != kSolveSucceeded) return fail(FitOutcome::FactorizationFailed);
        for (std::int32_t j = 1; j <= kParameterCount; ++j)
            ws.Params[j] = ws.Params[j] + ws.NormalRhs[j];

        const StepEnd end = controlStep(ws, s, s1, lastSum, track);
        if (end == StepEnd::Stuck) return fail(FitOutcome::StepLimit);
        if (end == StepEnd::Converged) break;
        s = single(s1);
    }

    // The sum at the final parameters is the one the last evaluation left, so it serves
    // for all three deviations without evaluating it again.
    const Deviations dev = computeDeviations(ws, s1, lastSum);
    // A numerically singular matrix that slipped through the factorization can leave a
    // negative or infinite inverse diagonal: no deviation to show, so the fit fails.
    if (!allFinite(dev)) return fail(FitOutcome::FactorizationFailed);
    writeResults(ws, captions, format, dev);
    return FitOutcome::Converged;
}

}  // namespace quorlin
