#pragma once

#include "text/number_text.h"

namespace quorlin::testing {

// Both conventions are set explicitly so that no test depends on the machine's locales.
inline constexpr RegionalSettings kPointRegion{'.', ','};
inline constexpr RegionalSettings kCommaRegion{',', '.'};

}  // namespace quorlin::testing
