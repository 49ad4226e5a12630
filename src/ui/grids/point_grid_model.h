#pragma once

#include "core/data_sets.h"

#include <QAbstractTableModel>
#include <QString>

#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

namespace quorlin {

// The texts of a point grid, in grid coordinates: row 0 is the header row and column 0
// the column of row numbers (the view shows both as its headers), so model row r is
// grid row r + 1. Point columns make their texts on demand from a point array; a cell
// edited by the user shows its typed text until the next refill. Other columns (the
// adjusted emf) keep whatever texts were written into them.
class PointGridModel final : public QAbstractTableModel {
public:
    explicit PointGridModel(QObject* parent = nullptr);

    int gridRows() const { return rows_; }
    int gridCols() const { return cols_; }
    void setGridCols(int cols);

    // Makes the grid rows tall (at least the header row) with column c >= 1 showing
    // pointColumns[c - 1]; forgets typed texts. Text columns keep the texts of the rows
    // that remain; rows that are added start empty.
    void refill(int rows, std::vector<const PointArray*> pointColumns);

    QString text(int row, int col) const;
    // Row 0 sets a header text; column 0 is never written.
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
    const PointArray* pointColumn(int col) const;
    static std::uint64_t cellKey(int row, int col);
    void notifyCell(int row, int col);

    int rows_ = 1;
    int cols_ = 1;
    std::vector<const PointArray*> pointColumns_;            // index col - 1
    std::vector<std::vector<std::string>> storedTexts_;      // index col; rows 0..rows-1
    std::vector<QString> headers_;                           // index col
    std::vector<Qt::Alignment> alignments_;                  // index col
    std::unordered_map<std::uint64_t, QString> typedTexts_;  // point columns only
    CellRoles cellRoles_;
};

}  // namespace quorlin
