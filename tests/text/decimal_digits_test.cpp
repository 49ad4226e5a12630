#include "text/decimal_digits.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace quorlin {
namespace {

void expectSameAsFullExpansion(double value, int significant)
{
    const DecimalDigits fast = roundedDigits(value, significant);
    const DecimalDigits exact = exactRoundedDigits(value, significant);
    EXPECT_EQ(fast.digits, exact.digits) << value << " to " << significant;
    EXPECT_EQ(fast.exponent, exact.exponent) << value << " to " << significant;
}

// Halves as written, a hair either side of them, powers of ten and their neighbours,
// carries into a new place, and the ends of the range the integer way takes.
TEST(roundedDigits, HardValuesRoundAsTheFullExpansionSays)
{
    const double values[] = {2.675,
                             0.005,
                             0.015,
                             1.005,
                             9.995,
                             99.995,
                             0.1 + 0.2,
                             999999999999999.5,
                             1e-5,
                             6.1e-5,
                             4503599627370495.5,
                             4503599627370496.0,
                             1e15,
                             1e16,
                             0.3,
                             123.445,
                             1.0 / 3,
                             2.0 / 3,
                             0.95,
                             9.5,
                             0.0049999999999999999};
    for (const double value : values) {
        for (const double v : {value, std::nextafter(value, 0.0), std::nextafter(value, HUGE_VAL)}) {
            for (int significant = 1; significant <= 17; ++significant) expectSameAsFullExpansion(v, significant);
        }
    }
    for (int power = -20; power <= 22; ++power) {
        const double ten = std::pow(10.0, power);
        for (const double v : {ten, std::nextafter(ten, 0.0), std::nextafter(ten, HUGE_VAL)}) {
            for (int significant = 1; significant <= 17; ++significant) expectSameAsFullExpansion(v, significant);
        }
    }
}

// Two decimals and the digit counts the program shows, over decimal values as files
// hold them and over arbitrary bits.
TEST(roundedDigits, AgreesWithTheFullExpansionOnRandomValues)
{
    std::mt19937_64 random(7);
    for (int i = 0; i < 20000; ++i) {
        const double decimal =
            static_cast<double>(random() % 100000000) / std::pow(10.0, static_cast<double>(random() % 12));
        const double bits =
            std::ldexp(1.0 + static_cast<double>(random() >> 11) * 0x1p-53, static_cast<int>(random() % 100) - 40);
        for (const int significant : {1, 7, 15, 17}) {
            expectSameAsFullExpansion(decimal, significant);
            expectSameAsFullExpansion(bits, significant);
        }
    }
}

}  // namespace
}  // namespace quorlin
