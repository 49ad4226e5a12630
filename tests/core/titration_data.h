#pragma once

#include "core/captions.h"
#include "core/initial_values.h"
#include "core/workspace.h"
#include "text/number_text.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <utility>
#include <vector>

namespace quorlin::testing {

inline const RegionalFormat kPointFormat{RegionalSettings{'.', ','}};

inline Number s(float v) { return Number::fromSingle(v); }
inline Number d(double v) { return Number::fromDouble(v); }

// A calibration titration whose numbers keep the precision they are given.
inline Workspace titration(Number acid, Number initVolume, const std::vector<Number>& volumes,
                           const std::vector<Number>& emfs)
{
    Workspace ws;
    ws.AcidConc = acid;
    ws.InitVolume = initVolume;
    ws.CalCount = static_cast<std::int32_t>(volumes.size());
    ws.CalVolume.assign(1, Number());
    ws.CalVolume.insert(ws.CalVolume.end(), volumes.begin(), volumes.end());
    ws.CalEmf.assign(1, Number());
    ws.CalEmf.insert(ws.CalEmf.end(), emfs.begin(), emfs.end());
    return ws;
}

// A calibration titration as a data file gives it: every number double.
inline Workspace fileTitration(double acid, double initVolume,
                               const std::vector<std::pair<double, double>>& volumeEmf)
{
    std::vector<Number> volumes, emfs;
    for (const auto& [volume, emf] : volumeEmf) {
        volumes.push_back(d(volume));
        emfs.push_back(d(emf));
    }
    return titration(d(acid), d(initVolume), volumes, emfs);
}

// What the calibration command does before the fit: model values, starting captions,
// and the starting parameters read back from the captions.
inline void startFromCaptions(Workspace& ws, Captions& captions)
{
    computeInitialValues(ws, captions, kPointFormat);
    for (std::size_t k = 1; k <= 3; ++k)
        ws.Params[k] = static_cast<float>(textToNumber(captions.Parameter[k], kPointFormat.regional()).number.value());
}

struct DoubleFit {
    std::array<double, 4> params{};  // 1..3
    std::array<double, 4> sigma{};   // 1..3
    double sum = 0.0;                // of the squared residuals at the solution
};

// An independent least-squares solution of emf = Ezero − Slope·pH + j corr·[H+] over the
// model values: normal equations in long double, inverted by cofactors (no factorization).
inline DoubleFit solveInDouble(const Workspace& ws)
{
    const std::int32_t n = ws.CalCount;
    const auto row = [&ws](std::int32_t i) {
        return std::array<long double, 3>{1.0L, -ws.CalPH[i].value(), ws.CalH[i].value()};
    };
    long double a[3][3] = {}, rhs[3] = {};
    for (std::int32_t i = 1; i <= n; ++i) {
        const auto r = row(i);
        for (std::size_t j = 0; j < 3; ++j) {
            rhs[j] += r[j] * ws.CalEmf[i].value();
            for (std::size_t k = 0; k < 3; ++k) a[j][k] += r[j] * r[k];
        }
    }
    const auto cofactor = [&a](std::size_t j, std::size_t k) {
        return a[(j + 1) % 3][(k + 1) % 3] * a[(j + 2) % 3][(k + 2) % 3]
               - a[(j + 1) % 3][(k + 2) % 3] * a[(j + 2) % 3][(k + 1) % 3];
    };
    const long double det = a[0][0] * cofactor(0, 0) + a[0][1] * cofactor(0, 1) + a[0][2] * cofactor(0, 2);
    long double x[3] = {};
    for (std::size_t j = 0; j < 3; ++j)
        for (std::size_t k = 0; k < 3; ++k) x[j] += cofactor(k, j) / det * rhs[k];
    long double sum = 0;
    for (std::int32_t i = 1; i <= n; ++i) {
        const auto r = row(i);
        const long double res = ws.CalEmf[i].value() - (r[0] * x[0] + r[1] * x[1] + r[2] * x[2]);
        sum += res * res;
    }
    DoubleFit fit;
    fit.sum = static_cast<double>(sum);
    for (std::size_t j = 0; j < 3; ++j) {
        fit.params[j + 1] = static_cast<double>(x[j]);
        fit.sigma[j + 1] = static_cast<double>(std::sqrt(cofactor(j, j) / det * sum / (n - 3)));
    }
    return fit;
}

}  // namespace quorlin::testing
