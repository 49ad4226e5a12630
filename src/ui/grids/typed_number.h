#pragma once

#include "core/number.h"
#include "text/number_text.h"

#include <QString>

namespace quorlin {

class GridServices;

// textToNumber for a text the user typed, showing "invalid entry for number" when it is
// beyond single precision (the result is then no value).
Number readTypedNumber(const QString& text, const RegionalSettings& regional, GridServices& services);

}  // namespace quorlin
