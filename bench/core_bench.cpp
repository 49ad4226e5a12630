// Times of the calibration core on synthetic titrations: the model values plus the fit,
// and the adjustment of a data set, at the sizes a large file might bring.
#include "core/adjustment.h"
#include "core/fit.h"
#include "core/initial_values.h"
#include "synthetic_titration.h"
#include "text/number_text.h"

#include <benchmark/benchmark.h>

namespace quorlin {
namespace {

const RegionalSettings kRegional{'.', ','};

// The model values, the starting line rounded as the captions show it, and the fit.
void InitialValuesAndFit(benchmark::State& state)
{
    CalibrationData data = bench::syntheticTitration(static_cast<std::int32_t>(state.range(0)));
    FitResult fit;
    for (auto _ : state) {
        const ModelOutcome line = computeInitialValues(data);
        ElectrodeParameters start{};
        start[kEzero] = static_cast<float>(
            textToNumber(formatNumber(line.intercept, "###0.00", kRegional), kRegional).number.value());
        start[kSlope] =
            static_cast<float>(textToNumber(formatNumber(line.slope, "###0.00", kRegional), kRegional).number.value());
        fit = fitParameters(data, start);
        benchmark::DoNotOptimize(fit);
    }
    state.counters["steps"] = fit.progress.steps;
    state.counters["halvings"] = fit.progress.halvings;
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetLabel(formatNumber(fit.rms, "#0.0000", kRegional));
}

void Adjustment(benchmark::State& state)
{
    const auto m = static_cast<std::int32_t>(state.range(0));
    const ElectrodeParameters parameters{0, 400.0f, 59.16f, 150.0f};
    AdjustmentData data;
    data.count = m;
    reallocateFresh(data.emf, m);
    // Readings from pH 0.5 to 12, plus some without a root.
    for (std::int32_t i = 1; i <= m; ++i)
        data.emf[static_cast<std::size_t>(i)] =
            Number::fromDouble(i % 50 == 0 ? 700.0 : 380.0 - 690.0 * (i % 997) / 997.0);
    AdjustmentResult result;
    for (auto _ : state) {
        result = adjustData(data, ReadingInversion(parameters, {-310, 380, 0.5, 12}));
        benchmark::DoNotOptimize(result);
    }
    state.counters["adjusted"] = static_cast<double>(result.adjusted.size());
    state.SetItemsProcessed(state.iterations() * m);
}

BENCHMARK(InitialValuesAndFit)->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(Adjustment)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quorlin

BENCHMARK_MAIN();
