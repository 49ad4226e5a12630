#include "data_set_states.h"

namespace quorlin {

CalibrationState editableCopy(const CalibrationState& state)
{
    CalibrationState copy;
    static_cast<PointSet&>(copy.data) = state.data;
    copy.data.acidConcentration = state.data.acidConcentration;
    copy.data.initialVolume = state.data.initialVolume;
    copy.typed = state.typed;
    copy.constantTexts = state.constantTexts;
    copy.exclusions = state.exclusions;
    return copy;
}

bool sameFitInput(const CalibrationState& a, const CalibrationState& b)
{
    return &a == &b
           || (sameBits(a.data.acidConcentration, b.data.acidConcentration)
               && sameBits(a.data.initialVolume, b.data.initialVolume) && a.exclusions.points() == b.exclusions.points()
               && samePoints(a.data, b.data));
}

}  // namespace quorlin
