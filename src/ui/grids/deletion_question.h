#pragma once

#include <QString>

namespace quorlin {

class GridServices;
class PointGrid;

// Shows the current row selected in red, asks "Delete selected data point?" under the
// given title, and then hides the selection for good (until the next question).
// Returns true for Yes.
bool askToDeleteCurrentRow(PointGrid& grid, GridServices& services, const QString& title);

}  // namespace quorlin
