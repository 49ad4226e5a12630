#pragma once

#include <array>
#include <string>

namespace quorlin {

// The caption texts that carry state between commands: "?" means no file, and a
// Parameter(1) of "?" means no starting values or calibration. The window mirrors
// them into its labels; the headless companion keeps them as they are.
struct Captions {
    inline static const std::string kNone = "?";

    std::array<std::string, 2> FileName{kNone, kNone};
    std::array<std::string, 4> Parameter{"", kNone, kNone, kNone};  // 1..3 used
    std::string rmserror;  // empty until the first calibration
};

}  // namespace quorlin
