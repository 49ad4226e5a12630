#pragma once

#include "session/session.h"
#include "text/number_text.h"

#include <cstdint>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorlin::cli {

// Exit statuses of quorlin-cli.
inline constexpr int kExitConverged = 0;
inline constexpr int kExitNotConverged = 1;
inline constexpr int kExitUsageOrFile = 2;

// Runs one command line (without the program name) with the given regional convention;
// results go to `out`, one-line complaints to `err`. Returns the exit status.
int Run(std::span<const std::string> args, const RegionalSettings& regional, std::ostream& out, std::ostream& err);

// What the commands share: a complaint on `err` returning `status`; a file loaded into the
// session, with a note on data that end early (nothing, having complained, when it cannot
// be read); points left out of the fit (false, having complained, when one is no point).
int complain(std::ostream& err, const std::string& text, int status);
std::optional<FileOutcome> load(Session& session, const std::string& file, bool calibration, std::ostream& err);
bool excludePoints(Session& session, const std::vector<std::int32_t>& points, std::ostream& err);
// The warnings on a fit, or on the calibration in force, one line each on `err`, led by
// the calibration file's name; the exit status stays.
void warn(std::ostream& err, std::string_view file, const std::vector<std::string>& warnings);
void warn(std::ostream& err, std::string_view file, const Session& session);
// The fit's failure, with `consequence` after it, and on a line of its own what to do about
// it where that is plain; returns kExitNotConverged.
int complainNotConverged(std::ostream& err, const Session& session, const CalibrationReport& calibration,
                         std::string_view consequence = "");
// `status`, unless standard output could not be written, which is complained about.
int finish(std::ostream& out, std::ostream& err, int status);

}  // namespace quorlin::cli
