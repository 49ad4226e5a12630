#pragma once

#include <cstdint>
#include <vector>

namespace quorlin {

// The Wald–Wolfowitz runs test on a sequence of signs: too few runs suggest a trend,
// too many an alternation.
struct RunsTest {
    std::int32_t runs = 0;
    // Two-sided: twice the smaller tail of the exact distribution of the number of runs
    // given the counts of each sign, at most 1.
    double p = 1.0;
};

// The test on the signs of `values` in order; zeros have no sign and are passed over.
RunsTest runsTest(const std::vector<double>& values);

}  // namespace quorlin
