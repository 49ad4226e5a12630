#pragma once

#include "core/captions.h"
#include "core/initial_values.h"
#include "core/workspace.h"
#include "io/number_text.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <utility>
#include <vector>

namespace quorlin::testing {

inline const RegionalFormat kPointFormat{RegionalSettings{'.', ','}};

// A calibration titration as a data file gives it: every number double.
inline Workspace fileTitration(double acid, double initVolume,
                               const std::vector<std::pair<double, double>>& volumeEmf)
{
    Workspace ws;
    ws.AcidConc = Number::fromDouble(acid);
    ws.InitVolume = Number::fromDouble(initVolume);
    ws.CalCount = static_cast<std::int32_t>(volumeEmf.size());
    reallocateFresh(ws.CalVolume, ws.CalCount);
    reallocateFresh(ws.CalEmf, ws.CalCount);
    for (std::size_t i = 0; i < volumeEmf.size(); ++i) {
        ws.CalVolume[i + 1] = Number::fromDouble(volumeEmf[i].first);
        ws.CalEmf[i + 1] = Number::fromDouble(volumeEmf[i].second);
    }
    return ws;
}

// What the calibration command does before the fit: model values, starting captions,
// and the starting parameters read back from the captions.
inline void startFromCaptions(Workspace& ws, Captions& captions)
{
    InitialValues(ws, captions, kPointFormat);
    for (std::size_t k = 1; k <= 3; ++k)
        ws.Params[k] = static_cast<float>(TextToNumber(captions.Parameter[k], kPointFormat.regional()).number.value());
}

// An independent least-squares solution of emf = Ezero − Slope·pH + j corr·[H+] over the
// model values, by modified Gram-Schmidt QR in long double (no normal equations).
struct DoubleFit {
    std::array<double, 4> params{};  // 1..3
    std::array<double, 4> sigma{};   // 1..3
    double sum = 0.0;                // of the squared residuals at the solution
};

inline DoubleFit solveInDouble(const Workspace& ws)
{
    const std::size_t n = static_cast<std::size_t>(ws.CalCount);
    std::array<std::vector<long double>, 3> q;
    std::vector<long double> y(n);
    for (std::size_t i = 0; i < n; ++i) {
        q[0].push_back(1.0L);
        q[1].push_back(-ws.CalPH[i + 1].value());
        q[2].push_back(ws.CalH[i + 1].value());
        y[i] = ws.CalEmf[i + 1].value();
    }
    long double r[3][3] = {};
    for (std::size_t j = 0; j < 3; ++j) {
        for (std::size_t k = 0; k < j; ++k) {
            long double dot = 0;
            for (std::size_t i = 0; i < n; ++i) dot += q[k][i] * q[j][i];
            r[k][j] = dot;
            for (std::size_t i = 0; i < n; ++i) q[j][i] -= dot * q[k][i];
        }
        long double norm = 0;
        for (std::size_t i = 0; i < n; ++i) norm += q[j][i] * q[j][i];
        r[j][j] = std::sqrt(norm);
        for (std::size_t i = 0; i < n; ++i) q[j][i] /= r[j][j];
    }
    long double qty[3] = {};
    for (std::size_t j = 0; j < 3; ++j)
        for (std::size_t i = 0; i < n; ++i) qty[j] += q[j][i] * y[i];
    long double x[3];
    for (int j = 2; j >= 0; --j) {
        x[j] = qty[j];
        for (int k = j + 1; k < 3; ++k) x[j] -= r[j][k] * x[k];
        x[j] /= r[j][j];
    }
    long double sum = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const long double res = y[i] - (x[0] - x[1] * ws.CalPH[i + 1].value() + x[2] * ws.CalH[i + 1].value());
        sum += res * res;
    }
    // (RᵀR)⁻¹ = R⁻¹R⁻ᵀ: its diagonal is the squared row norms of R⁻¹.
    long double inv[3][3] = {};
    for (int c = 0; c < 3; ++c) {
        for (int j = 2; j >= 0; --j) {
            long double v = j == c ? 1.0L : 0.0L;
            for (int k = j + 1; k < 3; ++k) v -= r[j][k] * inv[k][c];
            inv[j][c] = v / r[j][j];
        }
    }
    DoubleFit fit;
    fit.sum = static_cast<double>(sum);
    for (int j = 0; j < 3; ++j) {
        long double diag = 0;
        for (int c = 0; c < 3; ++c) diag += inv[j][c] * inv[j][c];
        fit.params[static_cast<std::size_t>(j) + 1] = static_cast<double>(x[j]);
        fit.sigma[static_cast<std::size_t>(j) + 1] = static_cast<double>(std::sqrt(diag * sum / (n - 3)));
    }
    return fit;
}

}  // namespace quorlin::testing
