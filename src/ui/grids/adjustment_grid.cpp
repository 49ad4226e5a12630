#include "ui/grids/adjustment_grid.h"

#include "ui/grids/cell_edit_box.h"
#include "ui/grids/grid_contents.h"
#include "ui/grids/twips.h"

#include <algorithm>

namespace quorlin {

AdjustmentGrid::AdjustmentGrid(Workspace& ws, const RegionalSettings& regional, GridServices& services,
                               std::function<bool()> calibrationAvailable, QWidget* container)
    : PointSetGrid({ws.AdjCount, ws.AdjVolume, ws.AdjEmf}, regional, services, container,
                   [this] { writeAdjustedColumn(*this, ws_, regional_); }),
      ws_(ws),
      regional_(regional),
      calibrationAvailable_(std::move(calibrationAvailable))
{
    setCols(4);
    placeInTwips(*this, 0, 480, 2055, 975);
    placeInTwips(editBox(), 0, 2160, 615, 255);
}

void AdjustmentGrid::fill()
{
    fillAdjustmentGrid(*this, ws_);
}

std::int32_t AdjustmentGrid::adjust()
{
    finishEdit();
    return writeAdjustedColumn(*this, ws_, regional_);
}

void AdjustmentGrid::addPoint()
{
    insertPoint();
    renewAdjustedColumn();
}

void AdjustmentGrid::deletePoint()
{
    const std::int32_t row = this->row();
    if (deleteCurrentPoint(QStringLiteral("Data for adjustment")) != Deletion::Deleted) return;
    setCurrentCell(std::min(row, ws_.AdjCount), col());
    renewAdjustedColumn();
}

// The adjusted texts no longer stand beside their points once points move; cleared
// first so that rows past a failing point do not keep another point's value.
void AdjustmentGrid::renewAdjustedColumn()
{
    clearColumnTexts(kAdjustedColumn);
    if (calibrationAvailable_()) writeAdjustedColumn(*this, ws_, regional_);
}

}  // namespace quorlin
