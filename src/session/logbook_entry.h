#pragma once

#include "logbook/entry.h"
#include "session/session.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quorlin {

// What the user says about a calibration being recorded.
struct LogbookRequest {
    std::string electrode;
    std::string operatorName;
    std::string note;
    std::optional<double> temperature;  // °C
    std::optional<std::int64_t> corrects;
};

// The fingerprint of the points recorded: the SHA-256 of the file's bytes while they give
// exactly the points fitted; with edits since the load (or a file changed since), that of
// the points as a save would write them.
struct PointsFingerprint {
    std::string sha256;
    bool editedAfterLoading = false;
};
PointsFingerprint pointsFingerprint(const Calibration& calibration, const CalibrationRecord& record);

// "3, 7": point numbers as the logbook and the report list them.
std::string pointNumbersText(const std::vector<std::int32_t>& points);

// The calibration in force as a logbook entry, timed when it was made; its statistics
// summary and verdict are left for the caller to fill in.
LogbookEntry logbookEntry(const Calibration& calibration, const LogbookRequest& request, const std::string& version);

}  // namespace quorlin
