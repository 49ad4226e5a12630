#include "edit_history.h"

namespace quorlin {

namespace {

bool isConstantChange(EditKind kind)
{
    return kind == EditKind::ChangeAcidConcentration || kind == EditKind::ChangeInitialVolume;
}

}  // namespace

void EditHistory::push(EditStep step)
{
    steps_.resize(done_);
    if (isConstantChange(step.kind) && done_ > 0 && steps_.back().kind == step.kind) {
        EditStep& typing = steps_.back();
        typing.calibrationAfter = std::move(step.calibrationAfter);
        // Typed back to where it began: nothing is left to undo.
        if (typing.calibrationAfter->constantTexts == typing.calibrationBefore->constantTexts) {
            steps_.pop_back();
            --done_;
        }
        return;
    }
    steps_.push_back(std::move(step));
    ++done_;
}

void EditHistory::clear()
{
    steps_.clear();
    done_ = 0;
}

}  // namespace quorlin
