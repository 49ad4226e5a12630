#include "fit_statistics.h"

#include "electrode_model.h"
#include "student_t.h"

#include <algorithm>
#include <cmath>

namespace quorlin {

namespace {

constexpr int kOrder = kParameterCount;
using Row = std::array<double, kOrder>;
using Triangle = std::array<Row, kOrder>;

// Point i's design row, from index 0 as the rotations count.
Row designRowAt(const CalibrationData& data, std::int32_t i)
{
    const auto x = designRow(pointOr0(data.pH, i).value(), pointOr0(data.hydrogen, i).value());
    return {x[kEzero], x[kSlope], x[kJcorr]};
}

// Rotates one observation into the upper triangle R and Qᵀy (Givens), so that the
// solve never forms the ill-conditioned normal equations.
void rotateIn(Triangle& r, Row& qty, Row x, double y)
{
    for (int k = 0; k < kOrder; ++k) {
        if (x[k] == 0.0) continue;
        const double h = std::hypot(r[k][k], x[k]);
        const double c = r[k][k] / h;
        const double s = x[k] / h;
        r[k][k] = h;
        for (int j = k + 1; j < kOrder; ++j) {
            const double rkj = r[k][j];
            r[k][j] = c * rkj + s * x[j];
            x[j] = c * x[j] - s * rkj;
        }
        const double z = qty[k];
        qty[k] = c * z + s * y;
        y = c * y - s * z;
    }
}

// R⁻ᵀx by forward substitution; its squared length is x's leverage.
Row solveTransposed(const Triangle& r, const Row& x)
{
    Row w{};
    for (int i = 0; i < kOrder; ++i) {
        double sum = x[i];
        for (int k = 0; k < i; ++k) sum -= r[k][i] * w[k];
        w[i] = sum / r[i][i];
    }
    return w;
}

Triangle invertUpper(const Triangle& r)
{
    Triangle inv{};
    for (int j = 0; j < kOrder; ++j) {
        inv[j][j] = 1.0 / r[j][j];
        for (int i = j - 1; i >= 0; --i) {
            double sum = 0.0;
            for (int k = i + 1; k <= j; ++k) sum += r[i][k] * inv[k][j];
            inv[i][j] = -sum / r[i][i];
        }
    }
    return inv;
}

double fittedEmf(const Row& x, const std::array<double, 4>& beta)
{
    return beta[kEzero] * x[0] + beta[kSlope] * x[1] + beta[kJcorr] * x[2];
}

}  // namespace

std::optional<FitStatistics> computeFitStatistics(const CalibrationData& data, const FitResult& fit)
{
    const std::int32_t n = data.count;
    if (n <= kOrder) return std::nullopt;
    Triangle r{};
    Row qty{};
    for (std::int32_t i = 1; i <= n; ++i) rotateIn(r, qty, designRowAt(data, i), pointOr0(data.emf, i).value());
    for (int k = 0; k < kOrder; ++k)
        if (!(std::abs(r[k][k]) > 0.0) || !std::isfinite(r[k][k])) return std::nullopt;

    const Triangle inv = invertUpper(r);
    FitStatistics s;
    s.points = n;
    for (int i = 0; i < kOrder; ++i) {
        double sum = 0.0;
        for (int k = i; k < kOrder; ++k) sum += inv[i][k] * qty[k];
        s.parameters[static_cast<std::size_t>(i) + 1] = sum;
    }

    double sumOfSquares = 0.0;
    for (std::int32_t i = 1; i <= n; ++i) {
        const double e = pointOr0(data.emf, i).value() - fittedEmf(designRowAt(data, i), s.parameters);
        sumOfSquares += e * e;
    }
    const double dof = n - kOrder;
    const double variance = sumOfSquares / dof;
    const double t = studentTQuantile(0.975, dof);

    // (XᵀX)⁻¹ = R⁻¹R⁻ᵀ.
    for (int i = 0; i < kOrder; ++i)
        for (int j = 0; j < kOrder; ++j) {
            double sum = 0.0;
            for (int k = std::max(i, j); k < kOrder; ++k) sum += inv[i][k] * inv[j][k];
            s.covariance[static_cast<std::size_t>(i) + 1][static_cast<std::size_t>(j) + 1] = variance * sum;
        }
    for (std::size_t i = kEzero; i <= kJcorr; ++i) {
        s.sigma[i] = std::sqrt(s.covariance[i][i]);
        s.ci95[i] = t * s.sigma[i];
        for (std::size_t j = kEzero; j <= kJcorr; ++j)
            s.correlation[i][j] = s.covariance[i][j] / std::sqrt(s.covariance[i][i] * s.covariance[j][j]);
    }

    s.studentized.reserve(static_cast<std::size_t>(n));
    const double deviation = std::sqrt(variance);
    for (std::int32_t i = 1; i <= n; ++i) {
        const Row x = designRowAt(data, i);
        const Row w = solveTransposed(r, x);
        const double leverage = w[0] * w[0] + w[1] * w[1] + w[2] * w[2];
        const double e = pointOr0(data.emf, i).value() - fittedEmf(x, s.parameters);
        s.studentized.push_back(e / (deviation * std::sqrt(1.0 - leverage)));
    }

    for (std::size_t i = kEzero; i <= kJcorr; ++i) {
        // An exact fit has no deviation: only an equal parameter is no shift then.
        const double difference = std::abs(static_cast<double>(fit.parameters[i]) - s.parameters[i]);
        s.maxSigmaShift = std::max(s.maxSigmaShift, difference == 0.0 ? 0.0 : difference / s.sigma[i]);
    }
    return s;
}

}  // namespace quorlin
