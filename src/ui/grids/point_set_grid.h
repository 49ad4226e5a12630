#pragma once

#include "session/session.h"
#include "ui/grids/point_grid.h"

#include <QString>

#include <cstdint>
#include <memory>

namespace quorlin {

class CellEditBox;
class CellEditor;
class GridServices;

// A grid showing one data set of the session, edited in place through its own edit box
// (a sibling in `container`), with the point commands both data sets share. Every change
// goes through the session, which keeps the undo history. Editing is wired: a double
// click, Enter or a character on the grid opens the box, and the text typed goes to the
// session when the edit ends. Its context menu and Ctrl+Shift+C / Ctrl+Shift+V copy and
// paste (Ctrl+C stays the window's Calibrate). The session and services must outlive
// the grid.
class PointSetGrid : public PointGrid {
    Q_OBJECT
public:
    ~PointSetGrid() override;

    CellEditBox& editBox() { return *editBox_; }
    CellEditor& editor() { return *editor_; }

    // Shows the data set's points as they are now (after a load, an undo or a redo).
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

signals:
    // The user changed the data set: a value typed, a point added, deleted or pasted.
    void pointsChanged();

protected:
    enum class Deletion { NoPoints, Kept, Deleted };

    // `title` heads the grid's questions.
    PointSetGrid(Session& session, DataSet set, GridServices& services, QWidget* container, QString title);

    std::int32_t pointCount() const;
    // A zero point after the current row, whose volume cell becomes current.
    void insertPoint();
    // Asks whether to delete the current row's point and deletes it on Yes; asks nothing
    // when there is no point.
    Deletion deleteCurrentPoint();

    Session& session_;
    const DataSet set_;

private:
    void storeText(std::int32_t row, std::int32_t col, const QString& text);

    GridServices& services_;
    QString title_;
    CellEditBox* editBox_;
    std::unique_ptr<CellEditor> editor_;
};

}  // namespace quorlin
