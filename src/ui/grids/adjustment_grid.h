#pragma once

#include "ui/grids/point_set_grid.h"

#include <cstdint>

namespace quorlin {

// The readings for adjustment, made in `container` (the adjustment panel) with the grid at
// 0, 480 twips. It has 4 columns, the third holding the texts of the adjusted emf that
// the calibration in force gives.
class AdjustmentGrid final : public PointSetGrid {
    Q_OBJECT
public:
    AdjustmentGrid(Session& session, GridServices& services, QWidget* container);

    void fill() override;
    // Writes the adjusted emf of every point into column 3 with the calibration in force,
    // or empties it without one. Returns the point where the adjustment stopped, or 0.
    std::int32_t showAdjusted();
    // Menu "&Add point (after)", Ctrl+X.
    void addPoint();
    // Menu "&Delete point", Ctrl+Y, asked under "Data for adjustment".
    void deletePoint();
};

}  // namespace quorlin
