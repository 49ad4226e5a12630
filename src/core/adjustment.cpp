#include "adjustment.h"

#include "inversion.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <optional>

namespace quorlin {

AdjustmentResult adjustData(const AdjustmentData& data, const ElectrodeParameters& p)
{
    AdjustmentResult result;
    if (data.count <= 0) return result;
    result.adjusted.reserve(static_cast<std::size_t>(data.count));

    const double ln10 = std::log(10.0);
    const Number jcorr = Number::fromSingle(p[kJcorr]);
    // A titration's readings come in runs of equal values, each inverted alike.
    std::optional<std::uint64_t> lastEmf;
    Inversion inversion;
    Number h;
    for (std::int32_t i = 1; i <= data.count; ++i) {
        const Number emf = pointOr0(data.emf, i);
        const auto bits = std::bit_cast<std::uint64_t>(emf.value());
        if (bits != lastEmf) {
            inversion = findPhByFalsePosition(p, emf.value());
            // Without a root in pH 0..14 the point is adjusted as if its pH were 0.
            const double pH = inversion.kind == Inversion::Kind::Root ? inversion.pH : 0.0;
            h = Number::fromDouble(std::exp(-pH * ln10));
            lastEmf = bits;
        }
        // A point the inversion could not handle stops the run there, as an arithmetic
        // error would; earlier points keep their new values.
        if (inversion.kind == Inversion::Kind::Failed) {
            result.failedPoint = i;
            return result;
        }
        const Number adjusted = emf - jcorr * h;
        if (!std::isfinite(adjusted.value())) {
            result.failedPoint = i;
            return result;
        }
        result.adjusted.push_back(adjusted.value());
    }
    return result;
}

}  // namespace quorlin
