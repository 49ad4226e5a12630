#pragma once

#include "session/session.h"

#include <string>
#include <string_view>

namespace quorlin {

// What the window and quorlin-cli say to a user about where to start, what was done and
// what to do next.

// The line the window shows where the calibration panel will be, until data are loaded.
std::string_view startHintText();

// What a save, export or report wrote to a file.
enum class SavedOutput { CalibrationData, AdjustedData, Readings, Plot, Report };
// "Calibration data saved to /data/cal.txt".
std::string savedText(SavedOutput output, std::string_view path);

// Where the advice is read: the keys of the window or the options of quorlin-cli.
enum class Reader { Window, CommandLine };
// What to do about a calibration that failed on a reading taken before any acid was
// added (a volume of zero) when some acid gives a pH: leave that point out. "" for any
// other outcome.
std::string leaveOutAdvice(const CalibrationData& data, const CalibrationReport& report, Reader reader);

}  // namespace quorlin
