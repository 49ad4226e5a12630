#pragma once

#include "core/workspace.h"
#include "io/number_text.h"

#include <QString>

namespace quorlin {

class GridServices;

// Reads both titration constants on every key released in either box, Box(0) first:
// AcidConc from the acid concentration text, InitVolume from the initial volume text.
// A number beyond single precision shows "invalid entry for number" and is stored as
// no value. Nothing is recomputed.
void ReadParameterBoxes(const QString& acidConcText, const QString& initVolumeText, Workspace& ws,
                        const RegionalSettings& regional, GridServices& services);

}  // namespace quorlin
