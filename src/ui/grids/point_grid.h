#pragma once

#include "core/data_sets.h"
#include "ui/grids/point_grid_model.h"
#include "ui/grids/twips.h"

#include <QColor>
#include <QTableView>

#include <string>
#include <vector>

namespace quorlin {

// The grids and their edit boxes were laid out for an 8.25 point font: with a larger
// one, row numbers and headers no longer fit their twip widths.
inline constexpr double kDesignFontPoints = 8.25;
void useDesignFontSize(QWidget& widget);

// A display grid with one fixed header row and one fixed column of row numbers, driven
// in grid coordinates: row 0 is the header row, column 0 the row numbers, and grid row
// i shows point i. The header row and the number column are the view's own headers.
//
// The grid keeps its own current cell, (row(), col()), which follows the user's clicks
// and keys. It can be row 0: a grid's current row falls to 0 when its last point is
// deleted and stays there after a refill until a cell is chosen; no data cell is then
// current in the view.
class PointGrid : public QTableView {
    Q_OBJECT
public:
    // Whether the selection is shown: "always" also while the grid has no focus.
    enum class Highlight { Always, Never };

    explicit PointGrid(QWidget* container);

    int rows() const { return model_.gridRows(); }
    int cols() const { return model_.gridCols(); }
    // Column widths of a grid whose number of columns changes start anew.
    void setCols(int cols);
    static constexpr int fixedRows() { return 1; }
    static constexpr int fixedCols() { return 1; }

    // Sets the number of rows (header included) and the texts of the point columns. A
    // current row beyond the new rows moves to the last row.
    void refill(int rows, PointGridModel::PointTexts pointTexts);
    void pointTextsChanged() { model_.pointTextsChanged(); }

    int row() const { return row_; }
    int col() const { return col_; }
    // Moves the current cell (clamped into the grid) and collapses the selection to it.
    void setCurrentCell(int row, int col);

    QString text(int row, int col) const { return model_.text(row, col); }
    QString currentText() const { return text(row_, col_); }
    void setText(int row, int col, const QString& text) { model_.setText(row, col, text); }
    void setColumnTexts(int col, int firstRow, std::vector<std::string> texts);
    void clearColumnTexts(int col) { model_.clearColumnTexts(col); }
    // Alignment of a data column's cells and of its header cell alike.
    void setColumnAlignment(int col, Qt::Alignment alignment) { model_.setColumnAlignment(col, alignment); }
    // See PointGridModel::setCellRoles; call refreshMarks when what they show changes.
    void setCellRoles(PointGridModel::CellRoles roles) { model_.setCellRoles(std::move(roles)); }
    void refreshMarks();

    TwipsPerPixel twipsPerPixel() const { return twipsPerPixelOf(*this); }
    double columnWidthTwips(int col) const;
    void setColumnWidthTwips(int col, double twips);
    double rowHeightTwips(int row) const;

    // The current cell's rectangle in the grid's own pixel coordinates, scrolled into
    // view first; empty when the current cell is in the header row or column.
    QRect currentCellRect();

    // Selects from the current cell to (row, col), the far corner of the selection.
    void setSelectionEnd(int row, int col);
    bool isSelected(int row, int col) const;

    Highlight highlight() const { return highlight_; }
    void setHighlight(Highlight mode);
    QColor selectionColor() const { return selectionColor_; }
    void setSelectionColor(const QColor& color);

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    QModelIndex modelIndex(int row, int col) const;
    void showCurrentCell();
    void applyHighlight();

    PointGridModel model_;
    int row_ = 0;
    int col_ = 1;
    bool movingCurrent_ = false;
    Highlight highlight_ = Highlight::Always;
    QColor selectionColor_;
    QColor selectedTextColor_;
};

}  // namespace quorlin
