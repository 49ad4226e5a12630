#pragma once

#include "session/session.h"

#include <ostream>
#include <string>
#include <vector>

namespace quorlin::cli {

// One JSON object on one line: outcome, message, points, the fitted values with their
// standard deviations, rms, pH and residuals (these only when converged), and the
// captions as the window would show them. With an adjustment, "adjusted" holds the
// texts of the adjusted column, and "adjustmentStoppedAt" the point where the
// inversion failed, if it did; at the end "outsideCalibration", "noRoot" and
// "turningPoint" list the points whose adjusted values are flagged. Numbers are written in the shortest form that reads back
// to the same value: single precision for the parameters, double for the rest.
// How the two files were read, for "dataEnd" and "adjustmentDataEnd" when their data
// ended early.
struct FileReads {
    FileOutcome calibration;
    FileOutcome adjustment;
};

// The text as a JSON string, quotes included.
std::string jsonString(std::string_view text);

// Returns the warnings on the fit that the object lists, for standard error.
std::vector<std::string> writeCalibrationJson(std::ostream& stream, const Session& session,
                                              const CalibrationReport& report, const AdjustmentReport* adjustment,
                                              const FileReads& reads);

}  // namespace quorlin::cli
