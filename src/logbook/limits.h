#pragma once

#include <optional>
#include <vector>

namespace quorlin {

// The temperature a verdict assumes when none is given, °C.
inline constexpr double kAssumedTemperature = 25.0;

// The ideal slope of a glass electrode at `celsius`, RT·ln10/F in mV per pH unit, from the
// exact SI values of R and F.
double nernstSlope(double celsius);

// What an electrode's calibration must meet. Unset limits are not checked.
struct ElectrodeLimits {
    double slopePercentMin = 95.0;  // of the Nernst slope
    double slopePercentMax = 102.0;
    std::optional<double> rmsMax;         // mV
    std::optional<double> ezeroDriftMax;  // mV, against the last passing calibration
    std::optional<double> jcorrMin;       // mV per mol/L
    std::optional<double> jcorrMax;
    std::optional<double> validDays;  // how long a passing calibration stays valid

    bool operator==(const ElectrodeLimits&) const = default;
};

// The numbers of a calibration that the limits judge.
struct JudgedValues {
    double ezero = 0.0;
    double slope = 0.0;
    double jcorr = 0.0;
    double rms = 0.0;
    std::optional<double> temperature;  // °C
};

enum class LimitKind { SlopeLow, SlopeHigh, Rms, EzeroDrift, JcorrLow, JcorrHigh };

struct LimitFailure {
    LimitKind kind;
    double value;  // the slope in % of Nernst, the rms, the change of Ezero or j corr
    double limit;
};

struct Verdict {
    double temperature = kAssumedTemperature;
    bool temperatureAssumed = true;
    double nernst = 0.0;        // mV per pH unit at the temperature
    double slopePercent = 0.0;  // of the Nernst slope
    std::vector<LimitFailure> failures;

    bool passed() const { return failures.empty(); }
};

// The calibration against the limits; the change of Ezero only when an earlier passing
// calibration gives `lastPassingEzero`. A value that is no number fails its limit.
Verdict judge(const JudgedValues& values, const ElectrodeLimits& limits, std::optional<double> lastPassingEzero);

}  // namespace quorlin
