#include "text/shortest_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

namespace quorlin {
namespace {

template <typename Float>
void expectSameAsLibrary(Float value)
{
    char expected[64];
    char actual[kShortestTextCapacity];
    const std::string want(expected, std::to_chars(expected, expected + sizeof expected, value).ptr);
    ASSERT_EQ(std::string(actual, writeShortestText(actual, value)), want) << std::hexfloat << value;
}

// Each value with its neighbours and both signs.
template <typename Float>
void expectSameAround(Float value)
{
    const Float limit = std::numeric_limits<Float>::infinity();
    for (const Float v : {value, std::nextafter(value, limit), std::nextafter(value, -limit)}) {
        expectSameAsLibrary(v);
        expectSameAsLibrary(-v);
    }
}

TEST(writeShortestText, WritesWhatTheLibraryWrites)
{
    // Zeros, ends of range, subnormals, fixed/scientific ties (1e4, 0.001), whole numbers
    // beyond 2^53 in fixed notation, decimals with few digits, NaN and infinity.
    const double doubles[] = {0.0,
                              5e-324,
                              2.2250738585072009e-308,
                              2.2250738585072014e-308,
                              1.7976931348623157e308,
                              1e4,
                              1e5,
                              1e-3,
                              1e-4,
                              0.1,
                              7.01,
                              1e15,
                              9007199254740993.0,
                              1e21,
                              1.2345678901234567e21,
                              1e22,
                              1e23,
                              0x1p60,
                              123456.0,
                              1234567.0,
                              5e-7,
                              9.5e-5,
                              std::numeric_limits<double>::quiet_NaN(),
                              HUGE_VAL};
    for (const double value : doubles) {
        expectSameAround(value);
        expectSameAround(static_cast<float>(value));
    }
    for (int e = -1074; e <= 1023; e += 7) expectSameAround(std::ldexp(1.0, e));
    for (int e = -149; e <= 127; ++e) expectSameAround(std::ldexp(1.0f, e));

    std::mt19937_64 random(20240601);
    for (int i = 0; i < 200000; ++i) {
        expectSameAsLibrary(std::bit_cast<double>(random()));
        expectSameAsLibrary(std::bit_cast<float>(static_cast<std::uint32_t>(random())));
    }
}

}  // namespace
}  // namespace quorlin
