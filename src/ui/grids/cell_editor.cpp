#include "ui/grids/cell_editor.h"

#include "ui/grids/cell_edit_box.h"
#include "ui/grids/point_grid.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

#include <algorithm>

namespace quorlin {

namespace {
constexpr char16_t kEnter = 13;
constexpr char16_t kEscape = 27;
constexpr char16_t kBackspace = 8;

bool isControlCharacter(char16_t key) { return key < 32 || key == 127; }
}  // namespace

CellEditor::CellEditor(PointGrid& grid, CellEditBox& box, Store store)
    : grid_(grid), box_(box), store_(std::move(store))
{
    grid_.installEventFilter(this);
    grid_.viewport()->installEventFilter(this);
    box_.installEventFilter(this);
    const auto endOnScroll = [this] { finishEdit(); };
    connect(grid_.verticalScrollBar(), &QScrollBar::valueChanged, this, endOnScroll);
    connect(grid_.horizontalScrollBar(), &QScrollBar::valueChanged, this, endOnScroll);
}

void CellEditor::startEdit(char16_t& key)
{
    finishEdit();
    if (key != kEnter && key != kBackspace && isControlCharacter(key)) return;
    if (grid_.row() < PointGrid::fixedRows() || grid_.col() < PointGrid::fixedCols()) return;

    state_.oldText = grid_.currentText();
    state_.row = grid_.row();
    state_.col = grid_.col();
    grid_.setCurrentCell(state_.row, state_.col);
    state_.arrowsMoveCell = true;
    box_.setBackground(CellEditBox::kArrowMoveColor);

    const QRect cell = grid_.currentCellRect();
    box_.setGeometry(grid_.x() + cell.x(), grid_.y() + cell.y() + 1, cell.width(), cell.height() - 1);

    if (key == kEnter) {
        key = 0;
        box_.setText(grid_.currentText());
        box_.setCursorPosition(0);
    } else if (key == kBackspace) {
        key = 0;
        box_.clear();
    } else {
        box_.setText(QString(QChar(key)));
        box_.setCursorPosition(1);
    }
    box_.raise();
    box_.show();
    editing_ = true;
    box_.setFocus(Qt::OtherFocusReason);
}

void CellEditor::boxKeyDown(int keyCode)
{
    if (keyCode == Qt::Key_F2) {
        state_.arrowsMoveCell = !state_.arrowsMoveCell;
        box_.setBackground(state_.arrowsMoveCell ? CellEditBox::kArrowMoveColor : CellEditBox::kCaretMoveColor);
        return;
    }
    if (state_.arrowsMoveCell) moveByArrow(keyCode);
}

void CellEditor::moveByArrow(int keyCode)
{
    int rowStep = 0;
    int colStep = 0;
    switch (keyCode) {
    case Qt::Key_Down: rowStep = 1; break;
    case Qt::Key_Up: rowStep = -1; break;
    case Qt::Key_Left: colStep = -1; break;
    case Qt::Key_Right: colStep = 1; break;
    default: return;
    }
    finishEdit();
    const int row = grid_.row() + rowStep;
    const int col = grid_.col() + colStep;
    if (row >= PointGrid::fixedRows() && row < grid_.rows() && col >= PointGrid::fixedCols() && col < grid_.cols())
        grid_.setCurrentCell(row, col);
}

void CellEditor::boxCharacter(char16_t& key)
{
    if (key == kEscape) {
        box_.setText(state_.oldText);
        key = 0;
        finishEdit();
    } else if (key == kEnter) {
        key = 0;
        finishEdit();
    }
}

void CellEditor::finishEdit()
{
    if (!editing_) return;
    grid_.setFocus(Qt::OtherFocusReason);
    commit();  // when the window is inactive no focus event arrives to do it
}

void CellEditor::commit()
{
    if (!editing_) return;
    editing_ = false;

    store_(state_.row, state_.col, box_.text());
    box_.hide();
}

bool CellEditor::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &box_) {
        if (event->type() == QEvent::KeyPress) return boxKeyPress(*static_cast<QKeyEvent*>(event));
        // A popup (a menu, the box's own context menu) does not end the edit.
        if (event->type() == QEvent::FocusOut && static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
            commit();
        return false;
    }
    if (watched == grid_.viewport()) {
        if (event->type() == QEvent::MouseButtonDblClick
            && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            char16_t key = kEnter;
            startEdit(key);
            return true;
        }
        return false;
    }
    if (watched == &grid_) {
        if (event->type() == QEvent::KeyPress) return gridKeyPress(*static_cast<QKeyEvent*>(event));
        if (event->type() == QEvent::Resize || event->type() == QEvent::Move) finishEdit();
    }
    return false;
}

bool CellEditor::tabToCell(bool forward)
{
    const int lastCol = std::min(grid_.cols() - 1, 2);
    int row = grid_.row();
    int col = grid_.col() + (forward ? 1 : -1);
    if (col > lastCol) {
        col = 1;
        ++row;
    } else if (col < 1) {
        col = lastCol;
        --row;
    }
    if (row < PointGrid::fixedRows() || row >= grid_.rows()) return false;
    grid_.setCurrentCell(row, col);
    return true;
}

bool CellEditor::gridKeyPress(QKeyEvent& event)
{
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    if (event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab) return tabToCell(event.key() == Qt::Key_Tab);
    const QString text = event.text();
    if (text.isEmpty()) return false;
    char16_t key = text.at(0).unicode();
    if (key != kEnter && key != kBackspace && isControlCharacter(key)) return false;
    startEdit(key);
    return true;
}

bool CellEditor::boxKeyPress(QKeyEvent& event)
{
    if (event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab) {
        finishEdit();
        // Past the last cell the grid passes the key on, and the focus with it.
        QKeyEvent tab(QEvent::KeyPress, event.key(), event.modifiers());
        QCoreApplication::sendEvent(&grid_, &tab);
        return true;
    }
    boxKeyDown(event.key());
    if (!editing_) return true;  // an arrow ended the edit
    const QString text = event.text();
    if (text.isEmpty()) return false;
    char16_t key = text.at(0).unicode();
    boxCharacter(key);
    return key == 0;
}

}  // namespace quorlin
