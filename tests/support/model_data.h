#pragma once

#include <charconv>
#include <cmath>
#include <string>

namespace quorlin::testing {

// Electrode and titration used to make test files: emf = Ezero - Slope·pH + jcorr·[H+],
// [H+] = C·v/(v + V0).
struct ElectrodeModel {
    double ezero = 405.0;
    double slope = 59.1;
    double jcorr = 25.0;
    double acid = 0.1;
    double initialVolume = 50.0;

    double h(double volume) const { return acid * volume / (volume + initialVolume); }
    double emf(double volume) const { return ezero + slope * std::log10(h(volume)) + jcorr * h(volume); }
};

inline std::string FileNumber(double value)
{
    char digits[64];
    const auto end = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 4).ptr;
    return std::string(digits, end);
}

// A calibration file of `points` titration points spread from about pH 3 to 1.7, each
// emf off the model by a fixed wobble of at most 0.1 mV.
inline std::string CalibrationFileText(const ElectrodeModel& model, int points)
{
    std::string text = FileNumber(model.acid) + "\t" + FileNumber(model.initialVolume) + "\r\n";
    for (int i = 0; i < points; ++i) {
        const double volume = 0.5 * std::pow(25.0, i / 14.0);
        const double wobble = ((i * 7) % 5 - 2) * 0.05;
        text += FileNumber(volume) + "\t" + FileNumber(model.emf(volume) + wobble) + "\r\n";
    }
    return text;
}

}  // namespace quorlin::testing
