#pragma once

#include "ui/grids/point_set_grid.h"

namespace quorlin {

// The calibration points, made in `container` (the calibration panel) with the grid at
// 0, 1320 twips. Nothing is recomputed after an edit. On a resize of the window call
// fitGridHeight and fitGridWidth (grid_sizing.h).
class CalibrationGrid final : public PointSetGrid {
    Q_OBJECT
public:
    CalibrationGrid(Session& session, GridServices& services, QWidget* container);

    void fill() override;
    // Menu "&Add point (after)", Ctrl+A; then emits pointAdded.
    void addPoint();
    // Menu "&Delete point", Ctrl+B, asked under "Calibration data".
    void deletePoint();
    // Menu "Leave point out / take it in", Ctrl+E: the current point; then emits
    // pointsChanged. Nothing happens without a current point.
    void toggleExclusion();

signals:
    // The window shows the calibration panel and enables the calibration.
    void pointAdded();
};

}  // namespace quorlin
