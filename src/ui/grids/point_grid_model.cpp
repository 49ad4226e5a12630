#include "ui/grids/point_grid_model.h"

#include "text/number_text.h"

#include <algorithm>

namespace quorlin {

PointGridModel::PointGridModel(QObject* parent) : QAbstractTableModel(parent) { setGridCols(1); }

void PointGridModel::setGridCols(int cols)
{
    beginResetModel();
    cols_ = std::max(1, cols);
    storedTexts_.resize(static_cast<std::size_t>(cols_));
    for (auto& column : storedTexts_) column.resize(static_cast<std::size_t>(rows_));
    headers_.resize(static_cast<std::size_t>(cols_));
    alignments_.resize(static_cast<std::size_t>(cols_), Qt::AlignLeft | Qt::AlignVCenter);
    endResetModel();
}

void PointGridModel::refill(int rows, PointTexts pointTexts)
{
    beginResetModel();
    rows_ = std::max(1, rows);
    pointTexts_ = std::move(pointTexts);
    for (auto& column : storedTexts_) column.resize(static_cast<std::size_t>(rows_));
    endResetModel();
}

void PointGridModel::pointTextsChanged()
{
    if (rows_ > 1) emit dataChanged(index(0, 0), index(rows_ - 2, std::min(cols_, 3) - 2), {Qt::DisplayRole});
}

QString PointGridModel::text(int row, int col) const
{
    if (row < 0 || row >= rows_ || col < 0 || col >= cols_) return {};
    if (row == 0) return headers_[static_cast<std::size_t>(col)];
    if (col == 0) return QString::fromStdString(pointNumberText(Number::fromDouble(row)));
    if (isPointColumn(col)) return QString::fromStdString(pointTexts_(row, col));
    return QString::fromStdString(storedTexts_[static_cast<std::size_t>(col)][static_cast<std::size_t>(row)]);
}

void PointGridModel::setText(int row, int col, const QString& text)
{
    if (row < 0 || row >= rows_ || col <= 0 || col >= cols_) return;
    if (row == 0) {
        headers_[static_cast<std::size_t>(col)] = text;
        emit headerDataChanged(Qt::Horizontal, col - 1, col - 1);
        return;
    }
    if (isPointColumn(col)) return;
    storedTexts_[static_cast<std::size_t>(col)][static_cast<std::size_t>(row)] = text.toStdString();
    notifyCell(row, col);
}

void PointGridModel::setColumnTexts(int col, int firstRow, std::vector<std::string> texts)
{
    if (col <= 0 || col >= cols_ || isPointColumn(col) || firstRow < 1 || firstRow >= rows_ || texts.empty()) return;
    auto& column = storedTexts_[static_cast<std::size_t>(col)];
    const std::size_t count = std::min(texts.size(), column.size() - static_cast<std::size_t>(firstRow));
    std::move(texts.begin(), texts.begin() + static_cast<std::ptrdiff_t>(count), column.begin() + firstRow);
    emit dataChanged(index(firstRow - 1, col - 1), index(firstRow - 1 + static_cast<int>(count) - 1, col - 1),
                     {Qt::DisplayRole});
}

void PointGridModel::clearColumnTexts(int col)
{
    if (col <= 0 || col >= cols_ || isPointColumn(col)) return;
    auto& column = storedTexts_[static_cast<std::size_t>(col)];
    std::fill(column.begin() + 1, column.end(), std::string());
    if (rows_ > 1) emit dataChanged(index(0, col - 1), index(rows_ - 2, col - 1), {Qt::DisplayRole});
}

void PointGridModel::setColumnAlignment(int col, Qt::Alignment alignment)
{
    if (col < 0 || col >= cols_) return;
    alignments_[static_cast<std::size_t>(col)] = alignment;
    if (col == 0) return;
    emit headerDataChanged(Qt::Horizontal, col - 1, col - 1);
    if (rows_ > 1) emit dataChanged(index(0, col - 1), index(rows_ - 2, col - 1), {Qt::TextAlignmentRole});
}

void PointGridModel::notifyCell(int row, int col)
{
    const QModelIndex cell = index(row - 1, col - 1);
    emit dataChanged(cell, cell, {Qt::DisplayRole});
}

int PointGridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_ - 1; }

int PointGridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : cols_ - 1; }

QVariant PointGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid()) return {};
    const int col = index.column() + 1;
    if (role == Qt::DisplayRole) return text(index.row() + 1, col);
    if (role == Qt::TextAlignmentRole) return static_cast<int>(alignments_[static_cast<std::size_t>(col)]);
    return cellRoles_ ? cellRoles_(index.row() + 1, col, role) : QVariant();
}

QVariant PointGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal) {
        if (role == Qt::DisplayRole) return text(0, section + 1);
        if (role == Qt::TextAlignmentRole) return static_cast<int>(alignments_[static_cast<std::size_t>(section + 1)]);
        return {};
    }
    if (role == Qt::DisplayRole) return text(section + 1, 0);
    return cellRoles_ ? cellRoles_(section + 1, 0, role) : QVariant();
}

Qt::ItemFlags PointGridModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

}  // namespace quorlin
