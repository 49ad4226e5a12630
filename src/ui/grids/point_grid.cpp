#include "ui/grids/point_grid.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPalette>

#include <algorithm>

namespace quorlin {

namespace {
// The header row and every data row share one height: the grid never measures rows.
constexpr double kMinRowHeightTwips = 240.0;
}  // namespace

void useDesignFontSize(QWidget& widget)
{
    QFont font = widget.font();
    font.setPointSizeF(kDesignFontPoints);
    widget.setFont(font);
}

PointGrid::PointGrid(QWidget* container) : QTableView(container)
{
    useDesignFontSize(*this);
    setModel(&model_);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // A block of cells can be selected for copying.
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setCornerButtonEnabled(false);
    setWordWrap(false);
    setTabKeyNavigation(false);

    const int rowPixels = std::max(twipsToPixels(kMinRowHeightTwips, twipsPerPixel().y), fontMetrics().height() + 3);
    QHeaderView* rowHeader = verticalHeader();
    rowHeader->setMinimumSectionSize(0);
    rowHeader->setDefaultSectionSize(rowPixels);
    rowHeader->setSectionResizeMode(QHeaderView::Fixed);
    rowHeader->setSectionsClickable(false);
    rowHeader->setHighlightSections(false);

    QHeaderView* columnHeader = horizontalHeader();
    columnHeader->setMinimumSectionSize(0);
    columnHeader->setSectionResizeMode(QHeaderView::Fixed);
    columnHeader->setSectionsClickable(false);
    columnHeader->setHighlightSections(false);
    columnHeader->setFixedHeight(rowPixels);

    selectionColor_ = palette().color(QPalette::Active, QPalette::Highlight);
    selectedTextColor_ = palette().color(QPalette::Active, QPalette::HighlightedText);
    applyHighlight();
}

void PointGrid::setCols(int cols)
{
    if (cols == model_.gridCols()) return;
    model_.setGridCols(cols);
    col_ = std::clamp(col_, 0, model_.gridCols() - 1);
    showCurrentCell();
}

void PointGrid::refreshMarks()
{
    viewport()->update();
    verticalHeader()->viewport()->update();
}

void PointGrid::refill(int rows, PointGridModel::PointTexts pointTexts)
{
    model_.refill(rows, std::move(pointTexts));
    row_ = std::min(row_, model_.gridRows() - 1);
    showCurrentCell();
}

void PointGrid::setCurrentCell(int row, int col)
{
    row_ = std::clamp(row, 0, rows() - 1);
    col_ = std::clamp(col, 0, cols() - 1);
    showCurrentCell();
}

void PointGrid::setColumnTexts(int col, int firstRow, std::vector<std::string> texts)
{
    model_.setColumnTexts(col, firstRow, std::move(texts));
}

QModelIndex PointGrid::modelIndex(int row, int col) const
{
    return row >= 1 && col >= 1 ? model_.index(row - 1, col - 1) : QModelIndex();
}

void PointGrid::showCurrentCell()
{
    movingCurrent_ = true;
    const QModelIndex current = modelIndex(row_, col_);
    if (current.isValid()) {
        selectionModel()->setCurrentIndex(current, QItemSelectionModel::ClearAndSelect);
    } else {
        selectionModel()->clearSelection();
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::Clear);
    }
    movingCurrent_ = false;
}

void PointGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    if (movingCurrent_ || !current.isValid()) return;
    row_ = current.row() + 1;
    col_ = current.column() + 1;
}

double PointGrid::columnWidthTwips(int col) const
{
    const int pixels = col == 0 ? verticalHeader()->width() : columnWidth(col - 1);
    return pixels * twipsPerPixel().x;
}

void PointGrid::setColumnWidthTwips(int col, double twips)
{
    if (col < 0 || col >= cols()) return;
    const int pixels = twipsToPixels(twips, twipsPerPixel().x);
    if (col == 0)
        verticalHeader()->setFixedWidth(pixels);
    else
        setColumnWidth(col - 1, pixels);
}

double PointGrid::rowHeightTwips(int row) const
{
    const int pixels = row == 0 ? horizontalHeader()->height() : verticalHeader()->defaultSectionSize();
    return pixels * twipsPerPixel().y;
}

QRect PointGrid::currentCellRect()
{
    const QModelIndex current = modelIndex(row_, col_);
    if (!current.isValid()) return {};
    scrollTo(current);
    const QRect cell = visualRect(current);
    return {viewport()->mapTo(this, cell.topLeft()), cell.size()};
}

void PointGrid::setSelectionEnd(int row, int col)
{
    const QModelIndex from = modelIndex(row_, col_);
    const QModelIndex to = modelIndex(std::clamp(row, 1, rows() - 1), std::clamp(col, 1, cols() - 1));
    if (!from.isValid() || !to.isValid()) return;
    selectionModel()->select(QItemSelection(from, to), QItemSelectionModel::ClearAndSelect);
}

bool PointGrid::isSelected(int row, int col) const
{
    const QModelIndex cell = modelIndex(row, col);
    return cell.isValid() && selectionModel()->isSelected(cell);
}

void PointGrid::setHighlight(Highlight mode)
{
    highlight_ = mode;
    applyHighlight();
}

void PointGrid::setSelectionColor(const QColor& color)
{
    selectionColor_ = color;
    applyHighlight();
}

void PointGrid::applyHighlight()
{
    QPalette colours = palette();
    const bool shown = highlight_ == Highlight::Always;
    const QColor background = shown ? selectionColor_ : colours.color(QPalette::Active, QPalette::Base);
    const QColor foreground = shown ? selectedTextColor_ : colours.color(QPalette::Active, QPalette::Text);
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        colours.setColor(group, QPalette::Highlight, background);
        colours.setColor(group, QPalette::HighlightedText, foreground);
    }
    setPalette(colours);
}

}  // namespace quorlin
