#pragma once

#include "core/fit_statistics.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

namespace quorlin::testing {

// Reference values computed once outside the program: exact rational least squares
// (Python's fractions) on the design as the program forms it in double ([H+] = C·v/(v + V0),
// pH = −ln [H+] / ln 10), square roots and Student's t tails by mpmath to 50 digits.
struct PointReference {
    double internal, external, leverage, cooks;
};

// Covariance as its upper triangle: EE, ES, EJ, SS, SJ, JJ.
inline void expectReference(const FitStatistics& s, const std::vector<PointReference>& points,
                            const std::array<double, 6>& covariance)
{
    const auto near = [](double value, double reference) {
        return std::abs(value - reference) <= 1e-8 * std::abs(reference);
    };
    ASSERT_EQ(s.studentized.size(), points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        const PointReference& r = points[i];
        EXPECT_TRUE(near(s.studentized[i], r.internal) && near(s.externallyStudentized[i], r.external)
                    && near(s.leverage[i], r.leverage) && near(s.cooksDistance[i], r.cooks))
            << "point " << i + 1 << ": " << s.studentized[i] << ' ' << s.externallyStudentized[i] << ' '
            << s.leverage[i] << ' ' << s.cooksDistance[i];
    }
    std::size_t k = 0;
    for (std::size_t i = kEzero; i <= kJcorr; ++i)
        for (std::size_t j = i; j <= kJcorr; ++j, ++k) {
            EXPECT_TRUE(near(s.covariance[i][j], covariance[k])) << i << j << ' ' << s.covariance[i][j];
            EXPECT_EQ(s.covariance[i][j], s.covariance[j][i]);
        }
}

}  // namespace quorlin::testing
