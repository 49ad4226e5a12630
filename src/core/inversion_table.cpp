#include "inversion_table.h"

#include "electrode_model.h"

#include <bit>

namespace quorlin {

namespace {

constexpr int kSlotBits = 12;

}  // namespace

InversionTable::InversionTable(const ReadingInversion& inversion)
    : inversion_(inversion), slots_(std::size_t{1} << kSlotBits)
{
}

const InversionTable::Entry& InversionTable::find(double emf)
{
    const auto bits = std::bit_cast<std::uint64_t>(emf);
    Slot& slot = slots_[(bits * 0x9E3779B97F4A7C15u) >> (64 - kSlotBits)];
    if (slot.emf != bits) {
        slot.entry.inversion = inversion_.invert(emf);
        // Without a root in pH 0..14 the point is adjusted as if its pH were 0.
        const double pH = slot.entry.inversion.kind == Inversion::Kind::Root ? slot.entry.inversion.pH : 0.0;
        slot.entry.hydrogen = hydrogenAt(pH);
        slot.entry.flags = inversion_.flags(emf, slot.entry.inversion);
        slot.emf = bits;
    }
    return slot.entry;
}

}  // namespace quorlin
