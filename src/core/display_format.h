#pragma once

#include <string>
#include <string_view>

namespace quorlin {

// The display patterns ("###0.00", "#0.0000", ...) belong to the number-text layer,
// which knows the regional decimal separator; core routines that write captions are
// handed one so that the core depends on nothing above it.
class DisplayFormat {
public:
    virtual ~DisplayFormat() = default;
    virtual std::string formatNumber(double value, std::string_view pattern) const = 0;
};

}  // namespace quorlin
