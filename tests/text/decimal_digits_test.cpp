#include "text/decimal_digits.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace quorlin {
namespace {

// The integer way against the full expansion: halves as written and a hair either side,
// powers of ten and their neighbours, the ends of the integer range, decimal values as
// files hold them and arbitrary bits, to every digit count a double can show.
TEST(roundedDigits, AgreesWithTheFullExpansion)
{
    std::vector<double> values = {2.675, 0.005, 9.995, 0.1 + 0.2, 123.445, 6.1e-5, 0x1p52 - 0.5, 0x1p52, 1e15};
    for (int power = -20; power <= 22; ++power) values.push_back(std::pow(10.0, power));
    std::mt19937_64 random(7);
    for (int i = 0; i < 3000; ++i) {
        values.push_back(static_cast<double>(random() % 100000000)
                         / std::pow(10.0, static_cast<double>(random() % 12)));
        values.push_back(
            std::ldexp(1.0 + static_cast<double>(random() >> 11) * 0x1p-53, static_cast<int>(random() % 100) - 40));
    }
    for (const double value : values) {
        for (const double v : {value, std::nextafter(value, 0.0), std::nextafter(value, HUGE_VAL)}) {
            for (int significant = 1; significant <= 17; ++significant) {
                const DecimalDigits fast = roundedDigits(v, significant);
                const DecimalDigits exact = exactRoundedDigits(v, significant);
                EXPECT_EQ(fast.digits, exact.digits) << v << " to " << significant;
                EXPECT_EQ(fast.exponent, exact.exponent) << v << " to " << significant;
            }
        }
    }
}

}  // namespace
}  // namespace quorlin
