#include "ui/grids/grid_contents.h"

#include "ui/grids/grid_sizing.h"
#include "ui/grids/point_grid.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QStyle>
#include <algorithm>
#include <initializer_list>

namespace quorlin {

namespace {
// Alignment setting 2 of the original grid: text at the left and the bottom of the cell.
constexpr Qt::Alignment kDataAlignment = Qt::AlignLeft | Qt::AlignBottom;

struct ColumnLayout {
    int col;
    double widthTwips;
    const char* header;
};

template <typename DataSet>
void fillPoints(PointGrid& grid, const DataSet& set, double numberColumnTwips,
                std::initializer_list<ColumnLayout> columns)
{
    grid.refill(std::max(set.count(), 0) + 1, [&set](int row, int col) { return set.text({row, col}); });
    grid.setColumnWidthTwips(0, numberColumnTwips);
    // Row numbers beyond the designed column's room would be cut off.
    QHeaderView& numbers = *grid.verticalHeader();
    const int needed = numbers.fontMetrics().horizontalAdvance(QString::number(set.count()))
                       + 2 * numbers.style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, &numbers);
    if (needed > numbers.maximumWidth()) numbers.setFixedWidth(needed);
    for (const ColumnLayout& column : columns) {
        grid.setColumnWidthTwips(column.col, column.widthTwips);
        grid.setColumnAlignment(column.col, kDataAlignment);
        grid.setText(0, column.col, QCoreApplication::translate("PointGrid", column.header));
    }
    fitGridWidth(grid);
    fitGridHeight(grid);
}
}  // namespace

void fillCalibrationGrid(PointGrid& grid, const Calibration& calibration)
{
    grid.setCols(3);
    fillPoints(
        grid, calibration, 300,
        {{1, 750, QT_TRANSLATE_NOOP("PointGrid", "vol. /ml")}, {2, 750, QT_TRANSLATE_NOOP("PointGrid", "emf /mV")}});
}

void fillAdjustmentGrid(PointGrid& grid, const Adjustment& adjustment)
{
    fillPoints(grid, adjustment, 450,
               {{1, 750, QT_TRANSLATE_NOOP("PointGrid", "vol. /ml")},
                {2, 750, QT_TRANSLATE_NOOP("PointGrid", "emf /mV")},
                {kAdjustedColumn, 750, QT_TRANSLATE_NOOP("PointGrid", "adjusted")}});
}

std::int32_t writeAdjustedColumn(PointGrid& grid, AdjustmentReport adjustment)
{
    grid.clearColumnTexts(kAdjustedColumn);
    grid.setColumnTexts(kAdjustedColumn, 1, std::move(adjustment.texts));
    return adjustment.failedPoint;
}

}  // namespace quorlin
