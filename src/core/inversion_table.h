#pragma once

#include "data_sets.h"
#include "inversion.h"
#include "reading_inversion.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace quorlin {

// The inversions of recent readings with one set of parameters. Readings to 0.01 mV hold
// each value many times, not always in a row; a small table keeps what the last reading
// that fell into each slot gave, so equal readings are inverted once.
class InversionTable {
public:
    // What one reading gave: the inversion, [H+] = 10^(−pH) with the pH the adjustment
    // takes (0 without a root), and what marks it as doubtful.
    struct Entry {
        Inversion inversion;
        double hydrogen = 0.0;
        ReadingFlags flags = 0;
    };

    explicit InversionTable(const ReadingInversion& inversion);

    // The same as inversion.invert(emf), with [H+] and the flags for it.
    const Entry& find(double emf);

private:
    struct Slot {
        std::optional<std::uint64_t> emf;
        Entry entry;
    };
    ReadingInversion inversion_;
    std::vector<Slot> slots_;
};

}  // namespace quorlin
