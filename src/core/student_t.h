#pragma once

namespace quorlin {

// The probability that Student's t with `dof` degrees of freedom stays below t.
double studentTDistribution(double t, double dof);

// The t below which Student's t with `dof` degrees of freedom stays with probability p
// (0 < p < 1), to about twelve significant digits.
double studentTQuantile(double p, double dof);

}  // namespace quorlin
