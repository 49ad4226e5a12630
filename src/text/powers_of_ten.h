#pragma once

#include <array>
#include <cstdint>

namespace quorlin {

// 10^0 .. 10^19: every power of ten a 64-bit integer holds.
inline constexpr std::array<std::uint64_t, 20> kPowersOfTen = [] {
    std::array<std::uint64_t, 20> powers{};
    std::uint64_t p = 1;
    for (std::uint64_t& power : powers) {
        power = p;
        p *= 10;
    }
    return powers;
}();

}  // namespace quorlin
