#include "ui/grids/calibration_grid.h"

#include "ui/grids/cell_edit_box.h"
#include "ui/grids/grid_contents.h"
#include "ui/grids/point_marks.h"
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
    setCellRoles(calibrationPointMarks(session_));
}

void CalibrationGrid::toggleExclusion()
{
    finishEdit();
    const std::int32_t point = this->row();
    if (point < 1 || point > session_.calibration().count) return;
    const GridSnapshot before = snapshot();
    session_.exclusions().toggle(point);
    refreshMarks();
    // Not a change of the data: the file holds no exclusions.
    recordUndoable(before, session_.exclusions().contains(point) ? tr("Leave point out") : tr("Take point in"));
    emit exclusionsChanged();
}

GridSnapshot CalibrationGrid::snapshot() const
{
    GridSnapshot shot = PointSetGrid::snapshot();
    shot.exclusions = session_.exclusions();
    return shot;
}

void CalibrationGrid::restore(const GridSnapshot& shot)
{
    session_.exclusions() = shot.exclusions;
    PointSetGrid::restore(shot);
    refreshMarks();
    emit exclusionsChanged();
}

void CalibrationGrid::fill() { fillCalibrationGrid(*this, session_.calibration()); }

void CalibrationGrid::addPoint()
{
    insertPoint();
    session_.exclusions().pointInserted(this->row());
    emit pointAdded();
}

void CalibrationGrid::deletePoint()
{
    const std::int32_t row = this->row();
    const Deletion deletion = deleteCurrentPoint();
    if (deletion == Deletion::NoPoints) return;
    // Point 1 goes when no row is current.
    if (deletion == Deletion::Deleted) session_.exclusions().pointRemoved(std::max(row, 1));
    // Unlike the adjustment grid, a data row becomes current whatever the answer.
    setCurrentCell(std::min(std::max(1, row), session_.calibration().count), col());
}

}  // namespace quorlin
