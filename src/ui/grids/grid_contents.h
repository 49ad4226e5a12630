#pragma once

#include "core/data_sets.h"
#include "session/session.h"

#include <cstdint>

namespace quorlin {

class PointGrid;

// Column 3 of the adjustment grid, the only record of the adjusted emf.
inline constexpr int kAdjustedColumn = 3;

// Shapes the calibration grid as 3 columns (row numbers, "vol. /ml", "emf /mV") and one row per
// calibration point plus the header, then fits it to its container. Cells show the texts
// the data set gives them, which must outlive the grid.
void fillCalibrationGrid(PointGrid& grid, const Calibration& calibration);

// The same for the adjustment grid and the readings; its 4 columns are set when it is
// made. Column 3 ("adjusted") keeps its texts until writeAdjustedColumn writes it anew.
void fillAdjustmentGrid(PointGrid& grid, const Adjustment& adjustment);

// The adjusted texts written into column 3 from row 1 on, the rest emptied. Returns the
// point where the adjustment stopped, or 0.
std::int32_t writeAdjustedColumn(PointGrid& grid, AdjustmentReport adjustment);

}  // namespace quorlin
