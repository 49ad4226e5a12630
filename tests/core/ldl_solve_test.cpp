#include "core/ldl_solve.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace quorlin {
namespace {

constexpr std::int32_t kFail = 2;
constexpr double kSymmetric[3][3] = {{4, 2, 0.5}, {2, 5, 1}, {0.5, 1, 3}};

// Only the diagonal and upper triangle are filled, as the fit fills them.
SmallMatrix upper(const double (&m)[3][3])
{
    SmallMatrix a{};
    for (int i = 0; i < 3; ++i)
        for (int j = i; j < 3; ++j) a[i + 1][j + 1] = static_cast<float>(m[i][j]);
    return a;
}

TEST(factorAndSolve, SolvesASymmetricSystemAndKeepsTheUpperTriangle)
{
    const auto& m = kSymmetric;
    const double x[3] = {1.5, -2.25, 0.75};
    SmallMatrix a = upper(m);
    const SmallMatrix filled = a;
    SmallVector b{};
    for (int i = 0; i < 3; ++i) b[i + 1] = static_cast<float>(m[i][0] * x[0] + m[i][1] * x[1] + m[i][2] * x[2]);
    SmallVector d{};

    ASSERT_EQ(factorAndSolve(a, b, d, 3, kFail), kSolveSucceeded);
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(b[i + 1], x[i], 1e-5);
    for (int i = 1; i <= 3; ++i)
        for (int j = i; j <= 3; ++j) EXPECT_EQ(a[i][j], filled[i][j]);
    EXPECT_EQ(d[1], 4.0f);
    EXPECT_FLOAT_EQ(a[2][1], 0.5f);

    // The inverse times the matrix gives the identity.
    invertFactored(a, d, 3);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            double sum = 0;
            for (int k = 0; k < 3; ++k) {
                const double inv = a[std::min(i, k) + 1][std::max(i, k) + 1];
                sum += inv * m[k][j];
            }
            EXPECT_NEAR(sum, i == j ? 1.0 : 0.0, 1e-6);
        }
}

TEST(factorAndSolve, OrderOne)
{
    SmallMatrix a{};
    a[1][1] = 8.0f;
    SmallVector b{0, 2.0f};
    SmallVector d{};
    ASSERT_EQ(factorAndSolve(a, b, d, 1, kFail), kSolveSucceeded);
    EXPECT_EQ(b[1], 0.25f);
    invertFactored(a, d, 1);
    EXPECT_EQ(a[1][1], 0.125f);
}

TEST(factorAndSolve, ZeroPivotFailsWithTheCallersCode)
{
    // Rows 1 and 2 proportional: the second pivot is exactly zero.
    SmallMatrix a = upper({{1, 2, 3}, {2, 4, 5}, {3, 5, 9}});
    SmallVector b{0, 1, 1, 1};
    SmallVector d{};
    EXPECT_EQ(factorAndSolve(a, b, d, 3, 7), 7);

    // A zero last pivot only shows in the back substitution; b keeps the forward pass.
    a = upper({{1, 2, 0}, {2, 5, 0}, {0, 0, 0}});
    b = {0, 1, 1, 1};
    EXPECT_EQ(factorAndSolve(a, b, d, 3, kFail), kFail);
    EXPECT_EQ(d[3], 0.0f);
    EXPECT_EQ(b[2], -1.0f);
}

TEST(factorAndSolve, NonFiniteValuesFailInsteadOfPropagating)
{
    for (const float bad : {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity()}) {
        for (int at = 1; at <= 3; ++at) {
            SmallMatrix a = upper(kSymmetric);
            SmallVector b{0, 1, 1, 1};
            b[at] = bad;
            SmallVector d{};
            EXPECT_EQ(factorAndSolve(a, b, d, 3, kFail), kFail) << "b[" << at << "]";
            a = upper(kSymmetric);
            a[at][3] = bad;
            b = {0, 1, 1, 1};
            EXPECT_EQ(factorAndSolve(a, b, d, 3, kFail), kFail) << "a[" << at << "][3]";
        }
    }
    // A quotient beyond single range is the overflow of the float storage.
    SmallMatrix a = upper({{1e-30, 0, 0}, {0, 1, 0}, {0, 0, 1}});
    SmallVector b{0, 1e20f, 1, 1};
    SmallVector d{};
    EXPECT_EQ(factorAndSolve(a, b, d, 3, kFail), kFail);
}

}  // namespace
}  // namespace quorlin
