#pragma once

#include "text/number_text.h"

#include <QLocale>

#include <optional>

namespace quorlin {

// The number convention of a locale in the one-character form the number text uses.
// A separator that is not plain ASCII (a narrow no-break space, an Arabic comma) is
// replaced by its nearest ASCII relative, or by the default convention.
RegionalSettings regionalSettingsFrom(const QLocale& locale);

}  // namespace quorlin
