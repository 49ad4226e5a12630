#pragma once

#include "core/data_sets.h"
#include "text/number_text.h"
#include "ui/grids/point_grid.h"

#include <cstdint>
#include <functional>
#include <memory>

namespace quorlin {

class CellEditBox;
class CellEditor;
class GridServices;

// A grid showing one data set, edited in place through its own edit box (a sibling in
// `container`), with the point commands both data sets share. Editing is wired: a
// double click, Enter or a character on the grid opens the box, and the value typed
// lands in the volume or emf array. The points, regional and services must outlive the
// grid.
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

signals:
    // A typed value was stored, or a point added or deleted: the data differ from their
    // file.
    void pointsChanged();

protected:
    enum class Deletion { NoPoints, Kept, Deleted };

    // afterStore runs after every value typed into a cell.
    PointSetGrid(PointSet& points, const RegionalSettings& regional, GridServices& services, QWidget* container,
                 std::function<void()> afterStore = {});

    // A zero point after the current row, whose volume cell becomes current.
    void insertPoint();
    // Asks under `title` whether to delete the current row's point and deletes it on Yes;
    // asks nothing when there is no point.
    Deletion deleteCurrentPoint(const QString& title);

    PointSet& points_;

private:
    GridServices& services_;
    CellEditBox* editBox_;
    std::unique_ptr<CellEditor> editor_;
};

}  // namespace quorlin
