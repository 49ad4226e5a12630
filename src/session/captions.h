#pragma once

#include <array>
#include <string>

namespace quorlin {

// The caption texts that carry state between commands: a file name of "?" means no
// file, and an Ezero caption of "?" means no starting values or calibration yet.
struct Captions {
    inline static const std::string kNone = "?";

    std::array<std::string, 2> fileName{kNone, kNone};              // calibration, adjustment
    std::array<std::string, 4> parameter{"", kNone, kNone, kNone};  // 1..3: Ezero, Slope, j corr
    std::string rmsError;                                           // empty until the first calibration
};

}  // namespace quorlin
