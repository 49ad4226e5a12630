#pragma once

#include "core/workspace.h"
#include "text/number_text.h"
#include "ui/grids/point_grid.h"

#include <memory>

namespace quorlin {

class CellEditBox;
class CellEditor;
class GridServices;

// The calibration points: DataGrid with its edit box EditA, both made as children of
// `container` (the calibration panel) at their design places, the grid at 0, 1320
// twips (move it with placeInTwips or setGeometry; EditA places itself at each edit).
// Editing is wired: a double click, Enter or a character on the grid opens EditA, and
// the value typed lands in CalVolume or CalEmf; nothing is recomputed. On a resize of
// the window call fitGridHeight and fitGridWidth (grid_sizing.h). Cell texts, for
// saving, are text(row, col) in grid coordinates (PointGrid).
//
// ws, regional and services must outlive the grid.
class DataGrid final : public PointGrid {
    Q_OBJECT
public:
    DataGrid(Workspace& ws, const RegionalSettings& regional, GridServices& services, QWidget* container);
    ~DataGrid() override;

    CellEditBox& EditA() { return *editBox_; }
    CellEditor& editor() { return *editor_; }

    // Rebuilds the grid from CalCount, CalVolume and CalEmf (after a load).
    void FillDataGrid();
    // Menu "&Add point (after)", Ctrl+A: a zero point after the current row, whose volume
    // cell becomes current; then emits calibrationPointAdded.
    void CalibrationAdd();
    // Menu "&Delete point", Ctrl+B: asks under "Calibration data" and deletes the point of
    // the current row on Yes. Does nothing when there is no point.
    void CalibrationDelete();
    // Commits a running edit; call before any command that reads or replaces the points.
    void finishEdit();

signals:
    // The window shows the calibration panel and enables its calibrate commands.
    void calibrationPointAdded();

private:
    Workspace& ws_;
    GridServices& services_;
    CellEditBox* editBox_;
    std::unique_ptr<CellEditor> editor_;
};

}  // namespace quorlin
