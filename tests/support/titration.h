#pragma once

#include "core/initial_values.h"

#include <charconv>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace quorlin::testing {

using Points = std::vector<std::pair<double, double>>;

// Typed values are single precision, values from a file double; the fit behaves differently.
inline CalibrationData titration(double acid, double initialVolume, const Points& points, bool typed = false)
{
    const auto number = [typed](double v) {
        return typed ? Number::fromSingle(static_cast<float>(v)) : Number::fromDouble(v);
    };
    CalibrationData data;
    data.acidConcentration = number(acid);
    data.initialVolume = number(initialVolume);
    data.count = static_cast<std::int32_t>(points.size());
    reallocateFresh(data.volume, data.count);
    reallocateFresh(data.emf, data.count);
    for (std::size_t i = 0; i < points.size(); ++i) {
        data.volume[i + 1] = number(points[i].first);
        data.emf[i + 1] = number(points[i].second);
    }
    return data;
}

// The program starts the fit from the starting line as its captions show it: two decimals, j corr 0.
inline ElectrodeParameters shownStart(const ModelOutcome& line)
{
    const auto shown = [](double x) { return static_cast<float>(std::round(x * 100) / 100); };
    return {0.0f, shown(line.intercept), shown(line.slope), 0.0f};
}

// emf = Ezero - Slope·pH + jcorr·[H+] with [H+] = C·v/(v + V0).
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

// Points from about pH 3 to 1.7, each off the model by a fixed wobble of at most 0.1 mV.
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
