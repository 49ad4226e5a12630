#include "ui/grids/typed_number.h"

#include "ui/grids/grid_services.h"
#include "ui/grids/qt_text.h"

namespace quorlin {

NumberEntry readTypedNumber(const QString& text, const RegionalSettings& regional, GridServices& services)
{
    const NumberEntry entry = textToNumber(text.toStdString(), regional);
    if (entry.outOfRange) services.showMessage(qStringOf(kInvalidEntryMessage));
    return entry;
}

}  // namespace quorlin
