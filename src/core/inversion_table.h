#pragma once

#include "data_sets.h"
#include "inversion.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace quorlin {

// The inversions of recent readings with one set of parameters. Readings to 0.01 mV hold
// each value many times, not always in a row; a small table keeps what the last reading
// that fell into each slot gave, so equal readings are inverted once.
class InversionTable {
public:
    // What one reading gave: the inversion, and [H+] = 10^(−pH) with the pH the adjustment
    // takes (0 without a root).
    struct Entry {
        Inversion inversion;
        double hydrogen = 0.0;
    };

    explicit InversionTable(const ElectrodeParameters& p);

    const ElectrodeParameters& parameters() const { return p_; }
    // The same as findPhByFalsePosition(parameters(), emf), and [H+] for it.
    const Entry& find(double emf);

private:
    struct Slot {
        std::optional<std::uint64_t> emf;
        Entry entry;
    };
    ElectrodeParameters p_;
    std::vector<Slot> slots_;
};

}  // namespace quorlin
