#include "ui/grids/adjustment_grid.h"

#include "ui/grids/cell_edit_box.h"
#include "ui/grids/grid_contents.h"
#include "ui/grids/point_marks.h"
#include "ui/grids/twips.h"

#include <algorithm>

namespace quorlin {

AdjustmentGrid::AdjustmentGrid(Session& session, GridServices& services, QWidget* container)
    : PointSetGrid(session.adjustment(), session.regional(), services, container, tr("Data for adjustment"),
                   [this] { writeAdjustedColumn(*this, session_.adjust()); }),
      session_(session)
{
    setCols(4);
    placeInTwips(*this, 0, 480, 2055, 975);
    placeInTwips(editBox(), 0, 2160, 615, 255);
    setCellRoles(adjustedSigmaTips(session_, *this));
}

void AdjustmentGrid::fill() { fillAdjustmentGrid(*this, session_.adjustment()); }

std::int32_t AdjustmentGrid::adjust()
{
    finishEdit();
    return writeAdjustedColumn(*this, session_.adjust());
}

void AdjustmentGrid::addPoint()
{
    insertPoint();
    renewAdjustedColumn();
}

void AdjustmentGrid::deletePoint()
{
    const std::int32_t row = this->row();
    const Deletion deletion = deleteCurrentPoint();
    if (deletion == Deletion::NoPoints) return;
    if (deletion == Deletion::Deleted) setCurrentCell(std::min(row, session_.adjustment().count), col());
    renewAdjustedColumn();
}

// Every refill empties the adjusted column, so that no row keeps a value made for
// another point; it is written again from the calibration in force.
void AdjustmentGrid::renewAdjustedColumn()
{
    if (session_.canAdjust()) writeAdjustedColumn(*this, session_.adjust());
}

}  // namespace quorlin
