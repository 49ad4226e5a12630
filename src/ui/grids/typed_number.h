#pragma once

#include "core/number.h"
#include "text/number_text.h"

#include <QString>

namespace quorlin {

class GridServices;

// textToNumber for a text the user typed, showing "invalid entry for number" when it is
// beyond single precision (the number is then no value).
NumberEntry readTypedNumber(const QString& text, const RegionalSettings& regional, GridServices& services);

}  // namespace quorlin
