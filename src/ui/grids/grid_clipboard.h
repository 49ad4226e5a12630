#pragma once

#include "core/data_sets.h"
#include "text/number_text.h"

#include <QString>

#include <cstdint>
#include <variant>
#include <vector>

namespace quorlin {

class PointGrid;

// Cells from (top, left) to (bottom, right) in grid coordinates, ends included.
struct CellRange {
    int top = 0;
    int left = 1;
    int bottom = 0;
    int right = 0;
};

// The selected cells; the whole table, header row included and row numbers left out,
// when no more than the current cell is selected.
CellRange copiedRange(const PointGrid& grid);

// The cells as tab-separated lines, each ending in "\n", for a spreadsheet: a cell whose
// first comma is its decimal separator gets a point, other texts go as shown, trimmed.
QString gridText(const PointGrid& grid, const CellRange& range);

// Volume and emf pairs as typed numbers (single precision), in clipboard order.
struct PastedPoints {
    std::vector<Number> volume;
    std::vector<Number> emf;
};

// Reads lines of two numbers: tab-separated fields as typed in a cell (the first point
// or comma is the decimal separator, as a spreadsheet of either convention writes
// them), comma-separated ones with a point. Blank lines at the end are ignored. A first
// line that is not numbers is taken for a header and skipped when every later line is
// numbers. Otherwise the first line that is not two numbers is the error:
// "Line 3 is not a volume and an emf: abc". No lines at all give no points.
std::variant<PastedPoints, QString> readPastedPoints(const QString& text, const RegionalSettings& regional);

// "Replace points 2 to 4 with the pasted values?", or "Replace point 2 ..." for one.
QString replaceQuestion(std::int32_t first, std::int32_t last);

}  // namespace quorlin
