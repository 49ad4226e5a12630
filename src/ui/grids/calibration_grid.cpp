#include "ui/grids/calibration_grid.h"

#include "ui/grids/cell_edit_box.h"
#include "ui/grids/grid_contents.h"
#include "ui/grids/point_marks.h"
#include "ui/grids/twips.h"

#include <algorithm>

namespace quorlin {

CalibrationGrid::CalibrationGrid(Session& session, GridServices& services, QWidget* container)
    : PointSetGrid(session, DataSet::Calibration, services, container, tr("Calibration data"))
{
    setCols(3);
    placeInTwips(*this, 0, 1320, 2055, 2655);
    placeInTwips(editBox(), 0, 4440, 615, 255);
    setCellRoles(calibrationPointMarks(session_));
}

void CalibrationGrid::toggleExclusion()
{
    finishEdit();
    const std::int32_t point = this->row();
    if (point < 1 || point > pointCount()) return;
    session_.toggleExclusion(point);
    refreshMarks();
    emit pointsChanged();
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
    setCurrentCell(std::min(std::max(1, row), pointCount()), col());
}

}  // namespace quorlin
