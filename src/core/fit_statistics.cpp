#include "fit_statistics.h"

#include "electrode_model.h"

#include <Eigen/Dense>
#include <boost/math/distributions/students_t.hpp>

#include <algorithm>
#include <cmath>
#include <limits>

namespace quorlin {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// A point's design row and emf: the columns Ezero, Slope, j corr, then the observation.
Eigen::RowVector4d observationAt(const CalibrationData& data, std::int32_t i)
{
    const auto x = designRow(pointOr0(data.pH, i).value(), pointOr0(data.hydrogen, i).value());
    return {x[kEzero], x[kSlope], x[kJcorr], pointOr0(data.emf, i).value()};
}

// R of the QR factorization of [X y], block by block: each block of points goes under
// the R so far and is factored with it, so that a million points never stand in memory
// as one matrix, and the ill-conditioned normal equations are never formed.
Eigen::Matrix4d upperTriangle(const CalibrationData& data, double& largestEmf)
{
    constexpr Eigen::Index kBlock = 256;
    using Block = Eigen::Matrix<double, Eigen::Dynamic, 4>;
    Block block(kBlock + 4, 4);
    Eigen::HouseholderQR<Block> qr(kBlock + 4, 4);
    Eigen::Matrix4d r = Eigen::Matrix4d::Zero();
    for (std::int32_t first = 1; first <= data.count; first += kBlock) {
        const Eigen::Index rows = std::min<Eigen::Index>(kBlock, data.count - first + 1);
        block.topRows<4>() = r;
        for (Eigen::Index k = 0; k < rows; ++k) {
            block.row(4 + k) = observationAt(data, first + static_cast<std::int32_t>(k));
            largestEmf = std::max(largestEmf, std::abs(block(4 + k, 3)));
        }
        qr.compute(block.topRows(4 + rows));
        r = qr.matrixQR().topRows<4>().triangularView<Eigen::Upper>();
    }
    return r;
}

// Whether the columns of the design, scaled to unit length, are independent beyond the
// tolerance; the singular values of R·D⁻¹ are those of the scaled design.
bool determinesParameters(const Eigen::Matrix3d& r)
{
    const Eigen::Array3d norms = r.colwise().norm().transpose();
    if (!(norms > 0.0).all()) return false;
    const Eigen::Vector3d singular =
        Eigen::JacobiSVD<Eigen::Matrix3d>(r * norms.inverse().matrix().asDiagonal()).singularValues();
    return singular(2) > FitStatistics::kRankTolerance * singular(0);
}

void markUndetermined(FitStatistics& s)
{
    s.identifiable = false;
    s.deviation = s.maxSigmaShift = s.jointShift = kNaN;
    s.parameters.fill(kNaN);
    s.sigma.fill(kNaN);
    s.ci95.fill(kNaN);
    for (auto* matrix : {&s.covariance, &s.correlation})
        for (auto& row : *matrix) row.fill(kNaN);
}

void addParameterStatistics(FitStatistics& s, const Eigen::Matrix3d& inverse)
{
    // (XᵀX)⁻¹ = R⁻¹R⁻ᵀ; the correlations come from it unscaled, so that an exact fit has them too.
    const Eigen::Matrix3d unscaled = inverse * inverse.transpose();
    const Eigen::Matrix3d covariance = s.deviation * s.deviation * unscaled;
    const double t = boost::math::quantile(boost::math::complement(boost::math::students_t(s.points - 3), 0.025));
    for (Eigen::Index j = 0; j < 3; ++j) {
        const auto k = static_cast<std::size_t>(j) + 1;
        s.sigma[k] = std::sqrt(covariance(j, j));
        s.ci95[k] = t * s.sigma[k];
        for (Eigen::Index i = 0; i < 3; ++i) {
            s.covariance[k][static_cast<std::size_t>(i) + 1] = covariance(j, i);
            s.correlation[k][static_cast<std::size_t>(i) + 1] =
                unscaled(j, i) / std::sqrt(unscaled(j, j) * unscaled(i, i));
        }
    }
}

// How far the single-precision parameters lie from the optimum: dᵀC⁻¹d = |R·d|² / s².
void addShifts(FitStatistics& s, const Eigen::Matrix3d& r, const FitResult& fit)
{
    if (s.exactFit) {
        s.maxSigmaShift = s.jointShift = kNaN;
        return;
    }
    Eigen::Vector3d d;
    for (std::size_t k = kEzero; k <= kJcorr; ++k) {
        d(static_cast<Eigen::Index>(k) - 1) = static_cast<double>(fit.parameters[k]) - s.parameters[k];
        s.maxSigmaShift = std::max(s.maxSigmaShift, std::abs(d(static_cast<Eigen::Index>(k) - 1)) / s.sigma[k]);
    }
    s.jointShift = (r.triangularView<Eigen::Upper>() * d).norm() / s.deviation;
}

// Residual, leverage and what follows from them for every point; the outlier test
// afterwards, whose distribution is worked out only for the few points near its limit.
void addPointStatistics(FitStatistics& s, const CalibrationData& data, const Eigen::Matrix3d& inverse)
{
    const auto n = static_cast<std::size_t>(s.points);
    s.studentized.assign(n, kNaN);
    s.externallyStudentized.assign(n, kNaN);
    s.leverage.assign(n, kNaN);
    s.cooksDistance.assign(n, kNaN);
    if (!s.identifiable) return;
    const Eigen::Vector3d beta(s.parameters[kEzero], s.parameters[kSlope], s.parameters[kJcorr]);
    const double others = s.points - 4;  // degrees of freedom with one point left out
    for (std::size_t i = 0; i < n; ++i) {
        const Eigen::RowVector4d o = observationAt(data, static_cast<std::int32_t>(i) + 1);
        const double e = o(3) - o.head<3>().dot(beta);
        const double h = (inverse.transpose() * o.head<3>().transpose()).squaredNorm();
        s.leverage[i] = h;
        if (s.exactFit || h >= 1.0 - FitStatistics::kFullLeverageTolerance) continue;
        const double r = e / (s.deviation * std::sqrt(1.0 - h));
        s.studentized[i] = r;
        s.cooksDistance[i] = r * r * h / (3.0 * (1.0 - h));
        if (others < 1) continue;
        const double rest = s.points - 3 - r * r;
        s.externallyStudentized[i] =
            rest > 0.0 ? r * std::sqrt(others / rest) : std::copysign(std::numeric_limits<double>::infinity(), r);
    }
    if (s.exactFit) return;
    s.runs = runsTest(s.studentized);
    if (others < 1) return;
    const double level = FitStatistics::kOutlierLevel;
    const double limit = boost::math::quantile(
        boost::math::complement(boost::math::students_t(others), level / (2.0 * static_cast<double>(n))));
    for (std::size_t i = 0; i < n; ++i) {
        const double t = std::abs(s.externallyStudentized[i]);
        if (!(t >= limit * (1.0 - 1e-9))) continue;
        if (const double p = bonferroniP(t, s.points); p < level)
            s.outliers.push_back({static_cast<std::int32_t>(i) + 1, p});
    }
}

}  // namespace

double bonferroniP(double t, std::int32_t n)
{
    if (std::isnan(t) || n < 5) return kNaN;
    if (std::isinf(t)) return 0.0;
    const double tail = boost::math::cdf(boost::math::complement(boost::math::students_t(n - 4), std::abs(t)));
    return std::min(1.0, 2.0 * n * tail);
}

std::optional<FitStatistics> computeFitStatistics(const CalibrationData& data, const FitResult& fit,
                                                  StatisticsScope scope)
{
    const std::int32_t n = data.count;
    if (n <= kParameterCount) return std::nullopt;
    double largestEmf = 0.0;
    const Eigen::Matrix4d rAll = upperTriangle(data, largestEmf);
    if (!rAll.allFinite()) return std::nullopt;
    const Eigen::Matrix3d r = rAll.topLeftCorner<3, 3>();

    FitStatistics s;
    s.points = n;
    Eigen::Matrix3d inverse = Eigen::Matrix3d::Zero();
    if (!determinesParameters(r)) {
        markUndetermined(s);
    } else {
        // R·β = Qᵀy, and the last element of Qᵀy is the length of the residual vector.
        const Eigen::Vector3d beta = r.triangularView<Eigen::Upper>().solve(rAll.block<3, 1>(0, 3));
        for (std::size_t k = kEzero; k <= kJcorr; ++k) s.parameters[k] = beta(static_cast<Eigen::Index>(k) - 1);
        s.deviation = std::abs(rAll(3, 3)) / std::sqrt(n - kParameterCount);
        s.exactFit = s.deviation <= FitStatistics::kExactFitTolerance * largestEmf;
        inverse = r.triangularView<Eigen::Upper>().solve(Eigen::Matrix3d::Identity());
        addParameterStatistics(s, inverse);
        addShifts(s, r, fit);
    }
    if (scope == StatisticsScope::EveryPoint) addPointStatistics(s, data, inverse);
    return s;
}

}  // namespace quorlin
