#pragma once

#include "core/number.h"
#include "io/number_text.h"

#include <QString>

namespace quorlin {

class GridServices;

// TextToNumber for a text the user typed, showing "invalid entry for number" when it is
// beyond single precision (the result is then no value).
Number ReadTypedNumber(const QString& text, const RegionalSettings& regional, GridServices& services);

}  // namespace quorlin
