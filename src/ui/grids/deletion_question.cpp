#include "ui/grids/deletion_question.h"

#include "ui/grids/grid_services.h"
#include "ui/grids/grid_sizing.h"
#include "ui/grids/point_grid.h"
#include <QCoreApplication>

namespace quorlin {

bool askToDeleteCurrentRow(PointGrid& grid, GridServices& services, const QString& title)
{
    selectCurrentRow(grid);
    const bool yes = services.askYesNo(QCoreApplication::translate("PointGrid", "Delete selected data point?"), title);
    grid.setHighlight(PointGrid::Highlight::Never);
    return yes;
}

}  // namespace quorlin
