#pragma once

#include "captions.h"
#include "display_format.h"
#include "workspace.h"

#include <cstdint>
#include <string>

namespace quorlin {

// Why the titration model stopped, and at which point (0 when no point is to blame).
struct ModelOutcome {
    enum class Failure { None, ZeroTotalVolume, NoPositiveH, NoStartingLine };
    Failure failure = Failure::None;
    std::int32_t point = 0;

    bool ok() const { return failure == Failure::None; }
};

// Model [H+] and pH of every calibration point from C·v/(v + V0), and starting Ezero and
// Slope from a straight line of emf against pH, written into the Parameter captions.
// On an arithmetic failure it stops where it failed: earlier points keep their new
// values and the captions keep their old texts.
ModelOutcome computeInitialValues(Workspace& ws, Captions& captions, const DisplayFormat& format);

// The text a message box shows for a failed model, naming the point.
std::string modelFailureText(const ModelOutcome& outcome);

}  // namespace quorlin
