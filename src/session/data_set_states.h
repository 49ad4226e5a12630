#pragma once

#include "core/data_sets.h"
#include "core/initial_values.h"
#include "core/point_exclusions.h"
#include "session/point_table.h"

#include <array>
#include <optional>
#include <string>

namespace quorlin {

// The calibration data at one moment. Never changed once shared: an edit makes a new
// state, so the calibration record and the undo history hold states by pointer, and
// model values can never outlive the points they were computed from.
struct CalibrationState {
    CalibrationData data;  // points and constants; model values only with `model`
    TypedTexts typed;
    std::array<std::string, 2> constantTexts;  // acid concentration, initial volume, as typed
    PointExclusions exclusions;
    std::optional<ModelOutcome> model;  // what computing the model values gave, once done
};

// The readings for adjustment at one moment, shared likewise.
struct ReadingsState {
    PointSet points;
    TypedTexts typed;
};

// The points, constants and texts of `state`, without the model values an edit would
// leave behind.
CalibrationState editableCopy(const CalibrationState& state);

// Whether a fit of either would read the same: points, constant values, exclusions.
bool sameFitInput(const CalibrationState& a, const CalibrationState& b);

}  // namespace quorlin
