#pragma once

#include "session/data_set_states.h"
#include "session/point_table.h"

#include <cstddef>
#include <memory>
#include <vector>

namespace quorlin {

enum class DataSet { Calibration, Adjustment };

enum class EditKind {
    EditPoint,
    AddPoint,
    DeletePoint,
    PastePoints,
    LeavePointOut,
    TakePointIn,
    ChangeAcidConcentration,
    ChangeInitialVolume,
};

// One change of one data set, as the states before and after it.
struct EditStep {
    EditKind kind = EditKind::EditPoint;
    DataSet set = DataSet::Calibration;
    PointCell cell;  // where the change was made, to be current again when it is undone or redone
    std::shared_ptr<const CalibrationState> calibrationBefore, calibrationAfter;
    std::shared_ptr<const ReadingsState> readingsBefore, readingsAfter;
};

// The undo history of both data sets. A step pushed drops the steps undone before it;
// typing on in the same constant's box adds to its step, so one undo takes back the
// whole text.
class EditHistory {
public:
    void push(EditStep step);
    void clear();

    const EditStep* nextUndo() const { return done_ > 0 ? &steps_[done_ - 1] : nullptr; }
    const EditStep* nextRedo() const { return done_ < steps_.size() ? &steps_[done_] : nullptr; }
    // Moves one step back or forward; the step to apply, or none at either end.
    const EditStep* undo() { return done_ > 0 ? &steps_[--done_] : nullptr; }
    const EditStep* redo() { return done_ < steps_.size() ? &steps_[done_++] : nullptr; }

private:
    std::vector<EditStep> steps_;
    std::size_t done_ = 0;
};

}  // namespace quorlin
