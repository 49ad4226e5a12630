#include "ui/grids/calibration_grid.h"

#include "ui/grids/cell_edit_box.h"
#include "ui/grids/grid_contents.h"
#include "ui/grids/twips.h"

#include <algorithm>

namespace quorlin {

CalibrationGrid::CalibrationGrid(Session& session, GridServices& services, QWidget* container)
    : PointSetGrid(session.calibration(), session.regional(), services, container, tr("Calibration data")),
      session_(session)
{
    setCols(3);
    placeInTwips(*this, 0, 1320, 2055, 2655);
    placeInTwips(editBox(), 0, 4440, 615, 255);
}

void CalibrationGrid::fill() { fillCalibrationGrid(*this, session_.calibration()); }

void CalibrationGrid::addPoint()
{
    insertPoint();
    emit pointAdded();
}

void CalibrationGrid::deletePoint()
{
    const std::int32_t row = this->row();
    if (deleteCurrentPoint() == Deletion::NoPoints) return;
    // Unlike the adjustment grid, a data row becomes current whatever the answer.
    setCurrentCell(std::min(std::max(1, row), session_.calibration().count), col());
}

}  // namespace quorlin
