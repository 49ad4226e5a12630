#include "ui/grids/adjustment_grid.h"

#include "ui/grids/cell_edit_box.h"
#include "ui/grids/grid_contents.h"
#include "ui/grids/point_marks.h"
#include "ui/grids/twips.h"

#include <algorithm>

namespace quorlin {

AdjustmentGrid::AdjustmentGrid(Session& session, GridServices& services, QWidget* container)
    : PointSetGrid(session, DataSet::Adjustment, services, container, tr("Data for adjustment"))
{
    setCols(4);
    placeInTwips(*this, 0, 480, 2055, 975);
    placeInTwips(editBox(), 0, 2160, 615, 255);
    setCellRoles(adjustedValueMarks(session_, *this));
}

void AdjustmentGrid::fill() { fillAdjustmentGrid(*this, session_.adjustment()); }

std::int32_t AdjustmentGrid::showAdjusted() { return writeAdjustedColumn(*this, session_.adjust()); }

void AdjustmentGrid::addPoint() { insertPoint(); }

void AdjustmentGrid::deletePoint()
{
    const std::int32_t row = this->row();
    if (deleteCurrentPoint() == Deletion::Deleted) setCurrentCell(std::min(row, pointCount()), col());
}

}  // namespace quorlin
