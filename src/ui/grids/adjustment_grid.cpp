#include "ui/grids/adjustment_grid.h"

#include "ui/grids/cell_edit_box.h"
#include "ui/grids/grid_contents.h"
#include "ui/grids/twips.h"

#include <algorithm>

namespace quorlin {

AdjustmentGrid::AdjustmentGrid(Session& session, GridServices& services, QWidget* container)
    : PointSetGrid(session.adjustment(), session.regional(), services, container,
                   [this] { writeAdjustedColumn(*this, session_.adjust()); }),
      session_(session)
{
    setCols(4);
    placeInTwips(*this, 0, 480, 2055, 975);
    placeInTwips(editBox(), 0, 2160, 615, 255);
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
    if (deleteCurrentPoint(QStringLiteral("Data for adjustment")) != Deletion::Deleted) return;
    setCurrentCell(std::min(row, session_.adjustment().count), col());
    renewAdjustedColumn();
}

// The adjusted texts no longer stand beside their points once points move; cleared
// first so that rows past a failing point do not keep another point's value.
void AdjustmentGrid::renewAdjustedColumn()
{
    clearColumnTexts(kAdjustedColumn);
    if (session_.hasCalibration()) writeAdjustedColumn(*this, session_.adjust());
}

}  // namespace quorlin
