#pragma once

#include "session/session.h"

#include <string>
#include <string_view>

namespace quorlin::cli {

// The header line of calibrate --csv.
std::string calibrationCsvHeader();

// One CSV line for a calibration file: the file, the points, the parameters with their
// standard deviations and the rms (numbers as in the JSON; empty unless converged), the
// outcome's name, the warnings on the fit and the note on data that ended early.
std::string calibrationCsvLine(std::string_view file, const Session& session, const CalibrationReport& report);

}  // namespace quorlin::cli
