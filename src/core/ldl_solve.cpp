#include "ldl_solve.h"

#include <cmath>

namespace quorlin {

namespace {

// Every value the routine stores is single precision; an operation that would store
// something non-finite is the division by zero or overflow that ends the routine.
bool store(float& to, float value)
{
    if (!std::isfinite(value)) return false;
    to = value;
    return true;
}

}  // namespace

bool factorAndSolve(SmallMatrix& a, SmallVector& b, SmallVector& d, std::int32_t n)
{
    if (n < 0 || n > kMaxOrder) return false;

    // Factorization: L[j][i] lives in a[j][i] (j > i), so the caller's upper triangle and
    // diagonal survive. All intermediate results are single precision.
    for (std::int32_t i = 1; i <= n; ++i) {
        if (!store(d[i], a[i][i])) return false;
        for (std::int32_t k = 1; k < i; ++k)
            if (!store(d[i], d[i] - d[k] * (a[i][k] * a[i][k]))) return false;
        for (std::int32_t j = i + 1; j <= n; ++j) {
            float t = a[i][j];
            for (std::int32_t k = 1; k < i; ++k) t = t - d[k] * (a[i][k] * a[j][k]);
            if (!store(a[j][i], t / d[i])) return false;
        }
    }

    // Forward substitution L·y = b.
    for (std::int32_t i = 2; i <= n; ++i)
        for (std::int32_t k = 1; k < i; ++k)
            if (!store(b[i], b[i] - a[i][k] * b[k])) return false;

    // D·Lᵀ·x = y, from the last row up; a zero last pivot shows up here.
    for (std::int32_t i = n; i >= 1; --i) {
        if (!store(b[i], b[i] / d[i])) return false;
        for (std::int32_t k = i + 1; k <= n; ++k)
            if (!store(b[i], b[i] - a[k][i] * b[k])) return false;
    }
    return true;
}

void invertFactored(SmallMatrix& a, const SmallVector& d, std::int32_t n)
{
    if (n < 1 || n > kMaxOrder) return;
    if (n == 1) {
        a[1][1] = 1.0f / d[1];
        return;
    }

    // W = L⁻¹ in place of L, column by column, in single precision. Within column i the
    // L[j][k] read (k > i) are not yet overwritten and the W[k][i] read are done.
    for (std::int32_t i = 1; i <= n; ++i) {
        a[i][i] = 1.0f;
        for (std::int32_t j = i + 1; j <= n; ++j) {
            float t = -a[j][i];
            for (std::int32_t k = i + 1; k < j; ++k) t = t - a[j][k] * a[k][i];
            a[j][i] = t;
        }
    }

    // Wᵀ·D⁻¹·W into the diagonal and upper triangle. Each term is a single-precision
    // product and quotient; the sum runs in double from a double zero and is stored
    // rounded. W[k][k] is the 1 above, read before row k's own diagonal is overwritten.
    for (std::int32_t i = 1; i <= n; ++i) {
        for (std::int32_t j = i; j <= n; ++j) {
            double t = 0.0;
            for (std::int32_t k = j; k <= n; ++k) {
                const float term = (a[k][i] * a[k][j]) / d[k];
                t = t + term;
            }
            a[i][j] = static_cast<float>(t);
        }
    }
}

}  // namespace quorlin
