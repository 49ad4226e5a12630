#pragma once

#include "ui/grids/point_set_grid.h"

#include <cstdint>

namespace quorlin {

class Session;

// The data for adjustment, made in `container` (the adjustment panel) with the grid at
// 0, 480 twips. It has 4 columns, the third holding the adjusted emf texts, the only
// record of them. A value typed into a cell reruns the adjustment. Saving adjusted data
// reads text(row, 1) and text(row, kAdjustedColumn).
//
// The session must outlive the grid.
class AdjustmentGrid final : public PointSetGrid {
    Q_OBJECT
public:
    AdjustmentGrid(Session& session, GridServices& services, QWidget* container);

    // The adjusted column keeps its texts.
    void fill() override;
    // Writes the adjusted emf of every point into column 3. Returns the point where the
    // inversion failed arithmetically (later rows keep their old texts), or 0.
    std::int32_t adjust();
    // Menu "&Add point (after)", Ctrl+X.
    void addPoint();
    // Menu "&Delete point", Ctrl+Y, asked under "Data for adjustment".
    void deletePoint();

private:
    void renewAdjustedColumn();

    Session& session_;
};

}  // namespace quorlin
