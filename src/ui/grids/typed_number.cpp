#include "ui/grids/typed_number.h"

#include "ui/grids/grid_services.h"

namespace quorlin {

Number readTypedNumber(const QString& text, const RegionalSettings& regional, GridServices& services)
{
    const NumberEntry entry = textToNumber(text.toStdString(), regional);
    if (entry.outOfRange)
        services.showMessage(QString::fromUtf8(kInvalidEntryMessage.data(),
                                               static_cast<qsizetype>(kInvalidEntryMessage.size())));
    return entry.number;
}

}  // namespace quorlin
