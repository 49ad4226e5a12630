#pragma once

namespace quorlin {

class PointGrid;

// Fits the grid's height to its rows, or to the room left in its container below the
// grid (60 twips short of the edge), whichever is less; 255 twips are allowed beyond
// the rows for the scroll bar and border. A height that cannot be set (no container,
// no room at all) leaves the grid as it is.
void fitGridHeight(PointGrid& grid);

// The same across: the columns' widths against the room right of the grid.
void fitGridWidth(PointGrid& grid);

// Shows the data part of the current row selected in red even without the focus, and
// makes column 1 current. The caller turns the highlight off afterwards.
void selectCurrentRow(PointGrid& grid);

}  // namespace quorlin
