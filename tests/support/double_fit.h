#pragma once

#include "core/data_sets.h"
#include "support/titration.h"

#include <array>
#include <cmath>
#include <random>

namespace quorlin::testing {

struct DoubleFit {
    std::array<double, 4> params{}, sigma{};
    double sum = 0.0;
    std::array<std::array<double, 4>, 4> inverse{};  // (XᵀX)⁻¹, slots 1..3
};

// Linear least squares over the model values in long double, inverted by cofactors: one
// exact Gauss-Newton step, sharing nothing with the single-precision L·D·Lᵀ path.
inline DoubleFit solveInDouble(const CalibrationData& data)
{
    const auto row = [&](std::int32_t i) {
        return std::array<long double, 4>{1.0L, -data.pH[i].value(), data.hydrogen[i].value(), data.emf[i].value()};
    };
    long double a[3][4] = {}, x[3] = {}, sum = 0;  // column 3: the right-hand side
    for (std::int32_t i = 1; i <= data.count; ++i)
        for (std::size_t j = 0; j < 3; ++j)
            for (std::size_t k = 0; k < 4; ++k) a[j][k] += row(i)[j] * row(i)[k];
    const auto m = [&a](std::size_t j, std::size_t k) { return a[j % 3][k % 3]; };
    const auto cof = [&m](auto j, auto k) {
        return m(j + 1, k + 1) * m(j + 2, k + 2) - m(j + 1, k + 2) * m(j + 2, k + 1);
    };
    const long double det = a[0][0] * cof(0, 0) + a[0][1] * cof(0, 1) + a[0][2] * cof(0, 2);
    for (std::size_t j = 0; j < 3; ++j)
        for (std::size_t k = 0; k < 3; ++k) x[j] += cof(k, j) / det * a[k][3];
    for (std::int32_t i = 1; i <= data.count; ++i)
        sum += std::pow(row(i)[3] - x[0] - x[1] * row(i)[1] - x[2] * row(i)[2], 2);
    DoubleFit fit{{}, {}, static_cast<double>(sum), {}};
    for (std::size_t j = 0; j < 3; ++j) {
        for (std::size_t k = 0; k < 3; ++k) fit.inverse[j + 1][k + 1] = static_cast<double>(cof(k, j) / det);
        fit.params[j + 1] = static_cast<double>(x[j]);
        fit.sigma[j + 1] = static_cast<double>(std::sqrt(cof(j, j) / det * sum / (data.count - 3)));
    }
    return fit;
}

// 40 additions of 0.1 M acid to 50 ml, read to 0.01 mV with up to ±0.1 mV of noise.
inline Points noisyTitration()
{
    std::mt19937 noise(20240611);
    Points points;
    for (int i = 1; i <= 40; ++i) {
        const double v = 0.5 * i, h = 0.1 * v / (v + 50), hundredths = static_cast<int>(noise() % 21) - 10;
        points.emplace_back(v, std::round((400 + 59.16 * std::log10(h) + 150 * h) * 100 + hundredths) / 100);
    }
    return points;
}

}  // namespace quorlin::testing
