#pragma once

#include "core/workspace.h"
#include "text/number_text.h"
#include "ui/grids/grid_contents.h"
#include "ui/grids/point_grid.h"

#include <cstdint>
#include <functional>
#include <memory>

namespace quorlin {

class CellEditBox;
class CellEditor;
class GridServices;

// The data for adjustment: CorrectionGrid (4 columns, the third holding the adjusted
// emf texts, the only record of them) with its edit box EditB, both made as children of
// `container` (the adjustment panel) at their design places, the grid at 0, 480 twips.
// A value typed into a cell lands in AdjVolume or AdjEmf and the adjustment runs again.
// Saving adjusted data reads text(row, 1) and text(row, kAdjustedColumn).
//
// calibrationAvailable tells whether a calibration exists (the Parameter(1) caption
// differs from "?"); ws, regional and services must outlive the grid.
class CorrectionGrid final : public PointGrid {
    Q_OBJECT
public:
    CorrectionGrid(Workspace& ws, const RegionalSettings& regional, GridServices& services,
                   std::function<bool()> calibrationAvailable, QWidget* container);
    ~CorrectionGrid() override;

    CellEditBox& EditB() { return *editBox_; }
    CellEditor& editor() { return *editor_; }

    // Rebuilds the grid from AdjCount, AdjVolume and AdjEmf (after a load); the adjusted
    // column keeps its texts.
    void FillCorrectionGrid();
    // The adjustment command ("&Adjust data", Ctrl+J, toolbar "adjust"): writes the
    // adjusted emf of every point into column 3. Returns the point where the inversion
    // failed arithmetically (later rows keep their old texts), or 0.
    std::int32_t RunAdjustment();
    // Menu "&Add point (after)", Ctrl+X: a zero point after the current row, whose volume
    // cell becomes current.
    void AdjustmentAdd();
    // Menu "&Delete point", Ctrl+Y: asks under "Data for adjustment" and deletes the point
    // of the current row on Yes. Does nothing when there is no point.
    void AdjustmentDelete();
    // After either, the adjusted column is emptied and, when a calibration exists,
    // written again, so that no text stands beside a point it was not made for.
    // Commits a running edit; call before any command that reads or replaces the points.
    void finishEdit();

private:
    void renewAdjustedColumn();

    Workspace& ws_;
    const RegionalSettings& regional_;
    GridServices& services_;
    std::function<bool()> calibrationAvailable_;
    CellEditBox* editBox_;
    std::unique_ptr<CellEditor> editor_;
};

}  // namespace quorlin
