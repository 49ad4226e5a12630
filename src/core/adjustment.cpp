#include "adjustment.h"

#include "electrode_model.h"
#include "inversion_table.h"

#include <cmath>
#include <cstdint>
#include <vector>

namespace quorlin {

AdjustmentResult adjustData(const AdjustmentData& data, const ReadingInversion& inversion)
{
    AdjustmentResult result;
    result.flags.turn = inversion.turn();
    if (data.count <= 0) return result;
    result.adjusted.reserve(static_cast<std::size_t>(data.count));
    result.flags.points.reserve(static_cast<std::size_t>(data.count));

    const ElectrodeParameters& p = inversion.parameters();
    InversionTable inversions(inversion);
    for (std::int32_t i = 1; i <= data.count; ++i) {
        const Number emf = pointOr0(data.emf, i);
        const InversionTable::Entry& found = inversions.find(emf.value());
        // A point the inversion could not handle stops the run there, as an arithmetic
        // error would; earlier points keep their new values.
        if (found.inversion.kind == Inversion::Kind::Failed) {
            result.failedPoint = i;
            return result;
        }
        const Number adjusted = adjustedEmf(p, emf, found.hydrogen);
        if (!std::isfinite(adjusted.value())) {
            result.failedPoint = i;
            return result;
        }
        result.adjusted.push_back(adjusted.value());
        result.flags.points.push_back(found.flags);
    }
    return result;
}

}  // namespace quorlin
