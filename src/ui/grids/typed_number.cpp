#include "ui/grids/typed_number.h"

#include "ui/grids/grid_services.h"

namespace quorlin {

Number ReadTypedNumber(const QString& text, const RegionalSettings& regional, GridServices& services)
{
    const NumberEntry entry = TextToNumber(text.toStdString(), regional);
    if (entry.outOfRange)
        services.showMessage(QString::fromUtf8(kInvalidEntryMessage.data(),
                                               static_cast<qsizetype>(kInvalidEntryMessage.size())));
    return entry.number;
}

}  // namespace quorlin
