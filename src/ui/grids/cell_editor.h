#pragma once

#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>

class QKeyEvent;

namespace quorlin {

class CellEditBox;
class PointGrid;

// Which cell is being edited, taken when the edit starts; the commit writes there even
// when the grid's current cell has moved on.
struct EditState {
    std::int32_t row = 0;
    std::int32_t col = 0;  // 1 volume, 2 emf, 3 adjusted emf
    QString oldText;
    bool arrowsMoveCell = false;  // true: arrows end the edit and move the current cell
};

// In-place editing of one grid through its edit box, which must lie in the grid's
// container. Wires itself to the grid's double click and key presses and to the box's
// keys and focus loss. Every end of an edit commits: the typed text goes to `store` for
// the cell the edit began in, which decides what the cell shows.
//
// Choices: Tab and Shift+Tab move through the volume and emf cells as in a spreadsheet,
// ending a running edit, and leave the grid past its first or last cell; edits are
// refused while the current cell is in the header row (slot 0 is never a point); Backspace on the grid opens an empty box, Escape and other control
// keys open nothing; scrolling, resizing or moving the grid ends a running edit, as
// the box would no longer lie over its cell; arrow keys move the current cell directly.
// The owner destroys the editor before the grid, so no event of a dying grid reaches it.
class CellEditor final : public QObject {
    Q_OBJECT
public:
    using Store = std::function<void(std::int32_t row, std::int32_t col, const QString& text)>;

    CellEditor(PointGrid& grid, CellEditBox& box, Store store);

    const EditState& state() const { return state_; }

    // key is a character code; it is set to 0 when consumed (Enter). 13 opens the cell
    // with its text, 8 with an empty box, any other printable character with just it.
    void startEdit(char16_t& key);
    // keyCode is a Qt::Key. F2 switches between arrow-move (cyan) and caret-move (yellow).
    void boxKeyDown(int keyCode);
    void moveByArrow(int keyCode);
    // Escape restores the old text and ends the edit; Enter ends it.
    void boxCharacter(char16_t& key);

    // Ends a running edit as if the box had lost the focus, giving the grid the focus.
    // Commands that change the points call this first so a pending value lands on the
    // point it was typed for.
    void finishEdit();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool gridKeyPress(QKeyEvent& event);
    bool boxKeyPress(QKeyEvent& event);
    // Tab and Shift+Tab step through the point cells, row by row; false past either end,
    // where they leave the grid.
    bool tabToCell(bool forward);
    void commit();

    PointGrid& grid_;
    CellEditBox& box_;
    Store store_;
    EditState state_;
    bool editing_ = false;
};

}  // namespace quorlin
