#pragma once

#include "text/number_text.h"

#include <ostream>
#include <span>
#include <string>

namespace quorlin::cli {

// Exit status of `log add` when the calibration is recorded but fails a limit.
inline constexpr int kExitLimitFailed = 3;

// `quorlin-cli log ...`: the words after "log". Returns the exit status.
int runLog(std::span<const std::string> args, const RegionalSettings& regional, std::ostream& out, std::ostream& err);

}  // namespace quorlin::cli
