#pragma once

#include "session/session.h"

#include <array>
#include <optional>
#include <string>

namespace quorlin {

// The parameter captions: value±σ of the calibration in force; without one, the starting
// values of the latest model, or "?" where it gave none. The rms caption is empty without
// a calibration in force.
struct Captions {
    std::array<std::string, 4> parameter;  // 1..3: Ezero, Slope, j corr
    std::string rmsError;
};
Captions parameterCaptions(const Session& session);

// A data set's file as its label shows it: the path, or "?" for none.
std::string fileCaption(const std::optional<std::string>& file);

// The plots' title: the file of the calibration shown, and when the calibration data
// changed since, that they did and the time of the calibration.
std::string plotTitle(const Session& session);

}  // namespace quorlin
