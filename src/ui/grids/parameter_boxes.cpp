#include "ui/grids/parameter_boxes.h"

#include "ui/grids/typed_number.h"

namespace quorlin {

void ReadParameterBoxes(const QString& acidConcText, const QString& initVolumeText, Workspace& ws,
                        const RegionalSettings& regional, GridServices& services)
{
    ws.AcidConc = ReadTypedNumber(acidConcText, regional, services);
    ws.InitVolume = ReadTypedNumber(initVolumeText, regional, services);
}

}  // namespace quorlin
