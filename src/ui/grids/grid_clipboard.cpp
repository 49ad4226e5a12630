#include "ui/grids/grid_clipboard.h"

#include "io/data_files.h"
#include "ui/grids/point_grid.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>
#include <optional>
#include <utility>

namespace quorlin {

namespace {
using Pair = std::pair<Number, Number>;

QString spreadsheetText(const QString& cell)
{
    return QString::fromStdString(withDecimalPoint(cell.trimmed().toStdString()));
}

std::optional<Pair> readPair(const QString& line, const RegionalSettings& regional)
{
    // A tab-separated line comes from a spreadsheet, which writes the decimal comma of its
    // convention; in comma-separated text the comma cannot be one.
    const bool tabs = line.contains(u'\t');
    const QStringList fields = line.split(tabs ? u'\t' : u',');
    if (fields.size() != 2) return std::nullopt;
    const RegionalSettings fieldRegional = tabs ? regional : RegionalSettings{};
    NumberEntry values[2];
    for (int i = 0; i < 2; ++i) {
        values[i] = textToNumber(fields[i].trimmed().toStdString(), fieldRegional);
        if (!values[i].wasNumber()) return std::nullopt;
    }
    return Pair{values[0].number, values[1].number};
}

QString badLineMessage(qsizetype index, const QString& line)
{
    constexpr qsizetype kShownLength = 60;
    QString shown = line.trimmed();
    if (shown.size() > kShownLength) shown = shown.left(kShownLength) + QStringLiteral("...");
    return QCoreApplication::translate("PointGrid", "Line %1 is not a volume and an emf: %2").arg(index + 1).arg(shown);
}
}  // namespace

CellRange copiedRange(const PointGrid& grid)
{
    CellRange selected{grid.rows(), grid.cols(), 0, 0};
    int cells = 0;
    for (int row = PointGrid::fixedRows(); row < grid.rows(); ++row) {
        for (int col = PointGrid::fixedCols(); col < grid.cols(); ++col) {
            if (!grid.isSelected(row, col)) continue;
            ++cells;
            selected = {std::min(selected.top, row), std::min(selected.left, col), std::max(selected.bottom, row),
                        std::max(selected.right, col)};
        }
    }
    if (cells > 1) return selected;
    return {0, PointGrid::fixedCols(), grid.rows() - 1, grid.cols() - 1};
}

QString gridText(const PointGrid& grid, const CellRange& range)
{
    QString text;
    for (int row = range.top; row <= range.bottom; ++row) {
        QStringList cells;
        for (int col = range.left; col <= range.right; ++col) cells << spreadsheetText(grid.text(row, col));
        text += cells.join(u'\t') + u'\n';
    }
    return text;
}

std::variant<PastedPoints, QString> readPastedPoints(const QString& text, const RegionalSettings& regional)
{
    QString unified = text;
    unified.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    QStringList lines = unified.split(u'\n');
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty()) lines.removeLast();

    std::vector<std::optional<Pair>> pairs;
    for (const QString& line : lines) pairs.push_back(readPair(line, regional));
    const auto firstBad = [&pairs](std::size_t from) {
        return std::find(pairs.begin() + static_cast<std::ptrdiff_t>(from), pairs.end(), std::nullopt);
    };
    auto bad = firstBad(0);
    const bool header = bad == pairs.begin() && pairs.size() > 1 && firstBad(1) == pairs.end();
    if (bad != pairs.end() && !header) {
        const auto index = bad - pairs.begin();
        return badLineMessage(index, lines[index]);
    }

    PastedPoints pasted;
    for (auto pair = pairs.begin() + (header ? 1 : 0); pair != pairs.end(); ++pair) {
        pasted.volume.push_back((*pair)->first);
        pasted.emf.push_back((*pair)->second);
    }
    return pasted;
}

QString replaceQuestion(std::int32_t first, std::int32_t last)
{
    if (first == last)
        return QCoreApplication::translate("PointGrid", "Replace point %1 with the pasted values?").arg(first);
    return QCoreApplication::translate("PointGrid", "Replace points %1 to %2 with the pasted values?")
        .arg(first)
        .arg(last);
}

}  // namespace quorlin
