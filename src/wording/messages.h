#pragma once

#include "io/data_files.h"
#include "session/adjusted_points.h"
#include "session/edit_history.h"
#include "session/session.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorlin {

// Every text the user reads about the session's state, composed from its values and
// outcomes, so that the window and quorlin-cli say the same words.

// What a number typed beyond single-precision range earns.
std::string_view invalidEntryText();

// "`abc` is not a number; the value stays 227.28": a typed text refused, and the text
// of the value kept.
std::string notANumberText(std::string_view text, std::string_view kept);

// "converged", "too few points", ...: the outcome as quorlin-cli names it.
std::string_view outcomeName(CalibrationOutcome outcome);

// What a message box shows for a failed calibration: "failed at FACT", "Calibration
// failed", the model failure naming the point, or the constant whose text is no number;
// "" where the window only beeps.
std::string calibrationMessage(const CalibrationReport& report);

// The same, with one "invalid entry for number" before it for each starting value out of
// range, on one line.
std::string reportMessage(const CalibrationReport& report);

// "Point 2: volume plus initial volume is zero", ...
std::string modelFailureText(const ModelOutcome& outcome);

// Why a file could not be read or written: the system's words for its error.
std::string fileErrorText(const FileOutcome& outcome);
// Why the window reads no pipe, device or folder as data: "not a regular file".
std::string notRegularFileText();
// "not two numbers", "line longer than 4096 bytes".
std::string dataEndReasonText(DataEnd reason);

// A note for data that ended early on reading, "" when they did not:
// "cal.txt: data end at line 9 (not two numbers); 7 points read".
std::string dataEndNote(std::string_view path, const FileOutcome& outcome, std::int32_t pointsRead);

// The note on where the calibration data ended early when read, while they are those
// of the file read; "" when they did not.
std::string calibrationDataEndNote(const Session& session);

// The first record of a save that would end the data when the file is read again, named
// for the user: "Point 4 (0, 0) would end the data when the file is read again"; ""
// when every record reads back. Points are numbered from 1.
std::string pointEndingData(const std::vector<TextRecord>& records);
std::string pointEndingData(const AdjustedPoints& points);
// As pointEndingData for the calibration data as a save writes them, the constants first.
std::string calibrationEndingData(const Session& session);

// Whether a calibrate of the calibration data has failed with none in force since.
bool notCalibrated(const Session& session);
// Why the last calibrate of the data as they are failed ("5 points, at least 6 needed");
// "" when the data changed since, or when one is in force.
std::string notCalibratedReason(const Session& session);

// Why the readings cannot be adjusted, for Adjust and Save adjusted data; "" when they can.
std::string adjustmentRefusal(const Session& session);

// "Point 3: no pH can be found for this emf": where an adjustment stopped.
std::string adjustmentStoppedText(std::int32_t point);

// The Adjustment panel's line naming the calibration in force, its time, and whether the
// calibration data changed since; or saying that none is.
std::string calibrationInForceText(const Session& session);

// The line heading a report or a print of a calibration whose data changed since:
// "The calibration data have changed since this calibration of 2026-12-07 14:03:09".
std::string changedSinceText(const CalibrationRecord& record);

// The local time of a calibration, "2026-12-07 14:03:09".
std::string calibrationTimeText(const CalibrationRecord& record);

// "Edit point (Calibration data)", "Change acid concentration", ...: an undo step's name.
std::string editName(const EditStep& step);

// The one line the status bar shows, the most important first: notes on data that ended
// early, then why no calibration is in force, then warnings on the fit, then that the
// data changed since the calibration, then the adjusted values flagged as doubtful; ""
// when there is nothing to say.
std::string statusLine(const Session& session);

}  // namespace quorlin
