#pragma once

#include <array>
#include <cstdint>

namespace quorlin {

// Storage of the small symmetric systems of the fit: indices 1..kMaxOrder are used,
// slot 0 is left alone so that the routines read like their textbook form.
inline constexpr std::int32_t kMaxOrder = 3;
using SmallMatrix = std::array<std::array<float, kMaxOrder + 1>, kMaxOrder + 1>;
using SmallVector = std::array<float, kMaxOrder + 1>;

// Factors A = L·D·Lᵀ (reading A's diagonal and upper triangle, writing the unit factor
// into its strict lower triangle and D into d) and solves A·x = b in place in b.
// Returns false when the arithmetic breaks down (a zero pivot, an overflow of the
// single-precision storage, a non-finite value); A, b and d then keep what was stored
// before the failing operation.
bool factorAndSolve(SmallMatrix& a, SmallVector& b, SmallVector& d, std::int32_t n);

// Overwrites the diagonal and upper triangle of A with the inverse of L·D·Lᵀ, from the
// output of a successful factorAndSolve; the strict lower triangle ends up holding L⁻¹.
void invertFactored(SmallMatrix& a, const SmallVector& d, std::int32_t n);

}  // namespace quorlin
