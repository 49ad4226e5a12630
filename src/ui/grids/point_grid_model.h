#pragma once

#include "core/data_sets.h"

#include <QAbstractTableModel>
#include <QString>

#include <functional>
#include <string>
#include <vector>

namespace quorlin {

// The texts of a point grid, in grid coordinates: row 0 is the header row and column 0
// the column of row numbers (the view shows both as its headers), so model row r is
// grid row r + 1. Point columns (1 and 2) ask their data set for each text as it is
// shown; other columns (the adjusted emf) keep whatever texts were written into them.
class PointGridModel final : public QAbstractTableModel {
public:
    explicit PointGridModel(QObject* parent = nullptr);

    int gridRows() const { return rows_; }
    int gridCols() const { return cols_; }
    void setGridCols(int cols);

    // The text of point cell (row, col) as its data set shows it.
    using PointTexts = std::function<std::string(int row, int col)>;

    // Makes the grid rows tall (at least the header row), its point columns showing
    // `pointTexts`. Text columns keep the texts of the rows that remain; rows that are
    // added start empty.
    void refill(int rows, PointTexts pointTexts);
    // The point cells' texts changed.
    void pointTextsChanged();

    QString text(int row, int col) const;
    // Row 0 sets a header text; column 0 and point cells are never written.
    void setText(int row, int col, const QString& text);
    // Rows firstRow, firstRow + 1, ... of a text column, one change notification.
    void setColumnTexts(int col, int firstRow, std::vector<std::string> texts);
    void clearColumnTexts(int col);

    void setColumnAlignment(int col, Qt::Alignment alignment);

    // What a cell, or with column 0 a row number, shows beyond its text and alignment:
    // colours, fonts, tooltips. Grid coordinates; an invalid value leaves the default.
    using CellRoles = std::function<QVariant(int row, int col, int role)>;
    void setCellRoles(CellRoles roles) { cellRoles_ = std::move(roles); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    bool isPointColumn(int col) const { return pointTexts_ && (col == 1 || col == 2); }
    void notifyCell(int row, int col);

    int rows_ = 1;
    int cols_ = 1;
    PointTexts pointTexts_;
    std::vector<std::vector<std::string>> storedTexts_;  // index col; rows 0..rows-1
    std::vector<QString> headers_;                       // index col
    std::vector<Qt::Alignment> alignments_;              // index col
    CellRoles cellRoles_;
};

}  // namespace quorlin
