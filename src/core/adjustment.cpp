#include "adjustment.h"

#include "inversion.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

namespace quorlin {

AdjustmentResult adjustData(const AdjustmentData& data, const ElectrodeParameters& p)
{
    AdjustmentResult result;
    if (data.count <= 0) return result;
    result.adjusted.reserve(static_cast<std::size_t>(data.count));

    const double ln10 = std::log(10.0);
    const Number jcorr = Number::fromSingle(p[kJcorr]);
    // Readings to 0.01 mV hold each value many times, not always in a row; a small table
    // keeps the inversion of the last reading that fell into each slot.
    struct Inverted {
        std::optional<std::uint64_t> emf;
        Inversion inversion;
        Number h;
    };
    constexpr int kSlotBits = 12;
    std::vector<Inverted> recent(std::size_t{1} << kSlotBits);
    for (std::int32_t i = 1; i <= data.count; ++i) {
        const Number emf = pointOr0(data.emf, i);
        const auto bits = std::bit_cast<std::uint64_t>(emf.value());
        Inverted& slot = recent[(bits * 0x9E3779B97F4A7C15u) >> (64 - kSlotBits)];
        if (slot.emf != bits) {
            slot.inversion = findPhByFalsePosition(p, emf.value());
            // Without a root in pH 0..14 the point is adjusted as if its pH were 0.
            const double pH = slot.inversion.kind == Inversion::Kind::Root ? slot.inversion.pH : 0.0;
            slot.h = Number::fromDouble(std::exp(-pH * ln10));
            slot.emf = bits;
        }
        const Inversion& inversion = slot.inversion;
        const Number h = slot.h;
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
