#include "ui/grids/grid_sizing.h"

#include "ui/grids/point_grid.h"
#include "ui/grids/twips.h"

#include <cmath>
#include <cstdint>
#include <functional>
#include <optional>

namespace quorlin {

namespace {
constexpr double kAllowanceTwips = 255.0;
constexpr double kMarginTwips = 60.0;

// The length in twips for `count` cells of the given sizes starting at `offset` inside
// a container `room` long; nothing when there is no container.
std::optional<double> fittedLength(std::optional<double> room, double offset, int count,
                                   const std::function<double(int)>& cellLength)
{
    if (!room) return std::nullopt;
    const double available = static_cast<double>(static_cast<std::int32_t>(std::nearbyint(*room - offset - kMarginTwips)));
    double total = kAllowanceTwips;
    for (int i = 0; i < count; ++i) {
        total += cellLength(i);
        if (total > available) return available;
    }
    return total;
}

std::optional<QSize> containerInnerSize(const PointGrid& grid)
{
    const QWidget* container = grid.parentWidget();
    if (!container) return std::nullopt;
    return container->contentsRect().size();
}
}  // namespace

void FitGridHeight(PointGrid& grid)
{
    const double tpp = grid.twipsPerPixel().y;
    const auto inner = containerInnerSize(grid);
    const auto room = inner ? std::optional<double>(inner->height() * tpp) : std::nullopt;
    const auto height = fittedLength(room, grid.y() * tpp, grid.rows(),
                                     [&grid](int row) { return grid.rowHeightTwips(row); });
    if (height && *height >= 0) grid.resize(grid.width(), TwipsToPixels(*height, tpp));
}

void FitGridWidth(PointGrid& grid)
{
    const double tpp = grid.twipsPerPixel().x;
    const auto inner = containerInnerSize(grid);
    const auto room = inner ? std::optional<double>(inner->width() * tpp) : std::nullopt;
    const auto width = fittedLength(room, grid.x() * tpp, grid.cols(),
                                    [&grid](int col) { return grid.columnWidthTwips(col); });
    if (width && *width >= 0) grid.resize(TwipsToPixels(*width, tpp), grid.height());
}

void SelectCurrentRow(PointGrid& grid)
{
    grid.setHighlight(PointGrid::Highlight::Always);
    grid.setSelectionColor(Qt::red);
    grid.setCurrentCell(grid.row(), PointGrid::fixedCols());
    grid.setSelectionEnd(grid.row(), grid.cols() - 1);
}

}  // namespace quorlin
