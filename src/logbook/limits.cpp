#include "limits.h"

#include <cmath>
#include <numbers>

namespace quorlin {

namespace {

// Exact since the SI of 2019: R = N_A·k, F = N_A·e.
constexpr double kGasConstant = 6.02214076e23 * 1.380649e-23;  // J/(mol·K)
constexpr double kFaraday = 6.02214076e23 * 1.602176634e-19;   // C/mol
constexpr double kZeroCelsius = 273.15;                        // K

// Written so that NaN fails, as no comparison with it holds.
bool within(double value, double low, double high) { return value >= low && value <= high; }

}  // namespace

double nernstSlope(double celsius)
{
    return 1000.0 * kGasConstant * (celsius + kZeroCelsius) * std::numbers::ln10 / kFaraday;
}

Verdict judge(const JudgedValues& values, const ElectrodeLimits& limits, std::optional<double> lastPassingEzero)
{
    Verdict v;
    v.temperatureAssumed = !values.temperature.has_value();
    v.temperature = values.temperature.value_or(kAssumedTemperature);
    v.nernst = nernstSlope(v.temperature);
    v.slopePercent = 100.0 * values.slope / v.nernst;

    const auto check = [&v](LimitKind kind, double value, double limit, bool ok) {
        if (!ok) v.failures.push_back({kind, value, limit});
    };
    // A value that is no number fails the lower limit of a range only, and so once.
    check(LimitKind::SlopeLow, v.slopePercent, limits.slopePercentMin, v.slopePercent >= limits.slopePercentMin);
    check(LimitKind::SlopeHigh, v.slopePercent, limits.slopePercentMax, !(v.slopePercent > limits.slopePercentMax));
    if (limits.rmsMax) check(LimitKind::Rms, values.rms, *limits.rmsMax, within(values.rms, 0.0, *limits.rmsMax));
    if (limits.ezeroDriftMax && lastPassingEzero) {
        const double drift = std::abs(values.ezero - *lastPassingEzero);
        check(LimitKind::EzeroDrift, drift, *limits.ezeroDriftMax, within(drift, 0.0, *limits.ezeroDriftMax));
    }
    if (limits.jcorrMin) check(LimitKind::JcorrLow, values.jcorr, *limits.jcorrMin, values.jcorr >= *limits.jcorrMin);
    if (limits.jcorrMax)
        check(LimitKind::JcorrHigh, values.jcorr, *limits.jcorrMax,
              !(values.jcorr > *limits.jcorrMax) && (limits.jcorrMin || !std::isnan(values.jcorr)));
    return v;
}

}  // namespace quorlin
