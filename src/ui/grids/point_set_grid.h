#pragma once

#include "core/data_sets.h"
#include "core/point_exclusions.h"
#include "text/number_text.h"
#include "ui/grids/point_grid.h"

#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace quorlin {

class CellEditBox;
class CellEditor;
class GridServices;

// What undo puts back: the points, the texts their cells show, the current cell and,
// for calibration points, those left out of the fit.
struct GridSnapshot {
    PointSet points;
    std::vector<std::array<QString, 2>> texts;  // points 1..count: volume and emf cells
    int row = 0;
    int col = 0;
    PointExclusions exclusions;
};

// A grid showing one data set, edited in place through its own edit box (a sibling in
// `container`), with the point commands both data sets share. Editing is wired: a
// double click, Enter or a character on the grid opens the box, and the value typed
// lands in the volume or emf array. Its context menu and Ctrl+Shift+C / Ctrl+Shift+V
// copy and paste (Ctrl+C stays the window's Calibrate). The points, regional and
// services must outlive the grid.
class PointSetGrid : public PointGrid {
    Q_OBJECT
public:
    ~PointSetGrid() override;

    CellEditBox& editBox() { return *editBox_; }
    CellEditor& editor() { return *editor_; }

    // Rebuilds the grid from the point set (after a load).
    virtual void fill() = 0;
    // Commits a running edit; call before any command that reads or replaces the points.
    void finishEdit();

    // The selected cells, or the whole table, as tab-separated text on the clipboard.
    void copyToClipboard();
    // Volume and emf lines into the points from the current row on (from point 1 in the
    // header row), asking under the grid's title before replacing points; text that is
    // not such lines is refused with a message naming the first bad line. The pasted
    // rows end up selected.
    void pastePoints(const QString& text);
    void pasteFromClipboard();

    virtual GridSnapshot snapshot() const;
    // Puts back the points, their texts and the current cell, then finishes as a paste
    // does; emits pointsChanged, but no pointsEdited.
    virtual void restore(const GridSnapshot& snapshot);

signals:
    // A typed value was stored, or a point added or deleted: the data differ from their
    // file. Undo and redo emit it too.
    void pointsChanged();
    // A change the user made, named for the undo menu, and the grid as it was before.
    void pointsEdited(const GridSnapshot& before, const QString& command);

protected:
    enum class Deletion { NoPoints, Kept, Deleted };

    // afterStore runs after every value typed into a cell and after a paste; `title` heads
    // the grid's questions.
    PointSetGrid(PointSet& points, const RegionalSettings& regional, GridServices& services, QWidget* container,
                 QString title, std::function<void()> afterStore = {});

    // A zero point after the current row, whose volume cell becomes current.
    void insertPoint();
    // Asks whether to delete the current row's point and deletes it on Yes; asks nothing
    // when there is no point.
    Deletion deleteCurrentPoint();

    // Emits pointsEdited, named under the grid's title.
    void recordUndoable(const GridSnapshot& before, const QString& command);

    PointSet& points_;

private:
    // Emits pointsEdited and pointsChanged.
    void recordChange(const GridSnapshot& before, const QString& command);

    const RegionalSettings& regional_;
    GridServices& services_;
    QString title_;
    std::function<void()> afterStore_;
    CellEditBox* editBox_;
    std::unique_ptr<CellEditor> editor_;
    GridSnapshot beforeEdit_;
};

}  // namespace quorlin
