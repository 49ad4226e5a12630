#include "ui/grids/grid_sizing.h"

#include "ui/grids/point_grid.h"
#include "ui/grids/twips.h"

#include <cmath>
#include <cstdint>
#include <functional>

namespace quorlin {

namespace {
constexpr double kAllowanceTwips = 255.0;
constexpr double kMarginTwips = 60.0;

// The length in twips for `count` cells of the given sizes starting at `offset` inside
// a container `room` long.
double fittedLength(double room, double offset, int count, const std::function<double(int)>& cellLength)
{
    const auto available = static_cast<double>(static_cast<std::int32_t>(std::nearbyint(room - offset - kMarginTwips)));
    double total = kAllowanceTwips;
    for (int i = 0; i < count; ++i) {
        total += cellLength(i);
        if (total > available) return available;
    }
    return total;
}
}  // namespace

void fitGridHeight(PointGrid& grid)
{
    const QWidget* container = grid.parentWidget();
    if (!container) return;
    const double tpp = grid.twipsPerPixel().y;
    const double height = fittedLength(container->contentsRect().height() * tpp, grid.y() * tpp, grid.rows(),
                                       [&grid](int row) { return grid.rowHeightTwips(row); });
    if (height >= 0) grid.resize(grid.width(), twipsToPixels(height, tpp));
}

void fitGridWidth(PointGrid& grid)
{
    const QWidget* container = grid.parentWidget();
    if (!container) return;
    const double tpp = grid.twipsPerPixel().x;
    const double width = fittedLength(container->contentsRect().width() * tpp, grid.x() * tpp, grid.cols(),
                                      [&grid](int col) { return grid.columnWidthTwips(col); });
    if (width >= 0) grid.resize(twipsToPixels(width, tpp), grid.height());
}

void selectCurrentRow(PointGrid& grid)
{
    grid.setHighlight(PointGrid::Highlight::Always);
    grid.setSelectionColor(Qt::red);
    grid.setCurrentCell(grid.row(), PointGrid::fixedCols());
    grid.setSelectionEnd(grid.row(), grid.cols() - 1);
}

}  // namespace quorlin
