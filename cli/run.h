#pragma once

#include "text/number_text.h"

#include <ostream>
#include <span>
#include <string>

namespace quorlin::cli {

// Exit statuses of quorlin-cli.
inline constexpr int kExitConverged = 0;
inline constexpr int kExitNotConverged = 1;
inline constexpr int kExitUsageOrFile = 2;

// Runs one command line (without the program name) with the given regional convention;
// results go to `out`, one-line complaints to `err`. Returns the exit status.
int Run(std::span<const std::string> args, const RegionalSettings& regional, std::ostream& out, std::ostream& err);

}  // namespace quorlin::cli
