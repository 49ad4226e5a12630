#pragma once

#include "ui/grids/point_grid_model.h"

namespace quorlin {

class PointGrid;
class Session;

// The calibration grid's marks: a point left out of the fit greyed and struck through,
// and, where the calibration in force fitted the point as shown, an outlier candidate of
// the Bonferroni test shaded, with its externally studentised residual and adjusted p as
// the tooltip.
PointGridModel::CellRoles calibrationPointMarks(const Session& session);

// The adjustment grid's adjusted column: a value flagged as doubtful shaded, with why as
// its tooltip, and the standard deviation the calibration gives each value shown in
// `grid`, as its tooltip too.
PointGridModel::CellRoles adjustedValueMarks(const Session& session, const PointGrid& grid);

}  // namespace quorlin
