#include "adjustment.h"

#include "inversion.h"

#include <cmath>

namespace quorlin {

AdjustmentResult adjustData(const Workspace& ws, const DisplayFormat& format)
{
    AdjustmentResult result;
    if (ws.AdjCount <= 0) return result;
    result.adjusted.reserve(static_cast<std::size_t>(ws.AdjCount));

    const double ln10 = std::log(10.0);
    const Number jcorr = Number::fromSingle(ws.Params[3]);
    for (std::int32_t i = 1; i <= ws.AdjCount; ++i) {
        const Inversion inversion = findPhByFalsePosition(ws, i);
        // A point the inversion could not handle stops the run there, as an arithmetic
        // error would; earlier rows keep their new texts.
        if (inversion.kind == Inversion::Kind::Failed) {
            result.failedPoint = i;
            return result;
        }
        // Without a root in pH 0..14 the point is adjusted as if its pH were 0.
        const double pH = inversion.kind == Inversion::Kind::Root ? inversion.pH : 0.0;
        const Number h = Number::fromDouble(std::exp(-pH * ln10));
        const Number adjusted = pointOr0(ws.AdjEmf, i) - jcorr * h;
        if (!std::isfinite(adjusted.value())) {
            result.failedPoint = i;
            return result;
        }
        result.adjusted.push_back(format.formatNumber(adjusted.value(), "###0.00"));
    }
    return result;
}

}  // namespace quorlin
