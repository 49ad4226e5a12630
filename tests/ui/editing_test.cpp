#include "window_fixture.h"

#include "ui/grids/grid_contents.h"

#include <functional>

namespace quorlin::testing {
namespace {

class Editing : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        load(modelCalibration());
    }
    CalibrationGrid& grid() const { return *ui().calibrationGrid; }
    CellEditBox& box() const { return grid().editBox(); }
};

// Every edit opens with "75" typed over a cell; then the keys decide where it ends.
struct KeyCase {
    const char* name;
    int row, col;
    std::vector<Qt::Key> keys;
    bool stillEditing;
    int endRow, endCol;
    bool stored;  // false: Escape put the old text back
};

TEST_F(Editing, KeysEndOrKeepTheEditAndMoveTheCell)
{
    const std::vector<KeyCase> cases{
        {"Enter commits", 2, 1, {Qt::Key_Return}, false, 2, 1, true},
        {"Escape restores", 2, 1, {Qt::Key_Escape}, false, 2, 1, false},
        {"arrows move a cell", 2, 1, {Qt::Key_Down}, false, 3, 1, true},
        {"never onto the header", 1, 2, {Qt::Key_Up}, false, 1, 2, true},
        {"nor past the last column", 3, 2, {Qt::Key_Right}, false, 3, 2, true},
        {"F2 lets arrows move the caret", 2, 2, {Qt::Key_F2, Qt::Key_Left, Qt::Key_Down}, true, 2, 2, true},
        {"F2 again lets them leave", 2, 2, {Qt::Key_F2, Qt::Key_F2, Qt::Key_Left}, false, 2, 1, true},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.name);
        const QString old = grid().text(c.row, c.col);
        typeOver(grid(), c.row, c.col, "75");
        EXPECT_EQ(box().background(), CellEditBox::kArrowMoveColor);
        for (Qt::Key key : c.keys) QTest::keyClick(&box(), key);
        EXPECT_EQ(box().isVisible(), c.stillEditing);
        EXPECT_EQ(box().background(), c.stillEditing ? CellEditBox::kCaretMoveColor : CellEditBox::kArrowMoveColor);
        grid().finishEdit();
        EXPECT_EQ(grid().row(), c.endRow);
        EXPECT_EQ(grid().col(), c.endCol);
        EXPECT_EQ(grid().text(c.row, c.col), c.stored ? "75" : old);
        const PointArray& column = c.col == 1 ? cal().volume : cal().emf;
        if (c.stored) {
            EXPECT_EQ(column[static_cast<std::size_t>(c.row)], Number::fromSingle(75.0f));
        }
    }
}

TEST_F(Editing, LosingTheFocusCommitsToTheCellWhereTheEditStarted)
{
    typeOver(grid(), 4, 1, "8");
    grid().setCurrentCell(1, 2);
    ui().acidConcentration->setFocus();
    EXPECT_FALSE(box().isVisible());
    EXPECT_EQ(cal().volume[4], Number::fromSingle(8.0f));
    EXPECT_EQ(grid().text(4, 1), "8");
}

// A value still being typed belongs to the point it was typed for, whatever runs next.
TEST_F(Editing, PendingValueLandsBeforeTheCommand)
{
    const std::vector<std::pair<const char*, std::function<void(MainWindow&)>>> commands{
        {"calibrate", &MainWindow::calibrate},
        {"add point", &MainWindow::addCalibrationPoint},
        {"delete point (No)", &MainWindow::deleteCalibrationPoint},
        {"save (cancelled)", &MainWindow::saveCalibrationData},
        {"load (cancelled)", &MainWindow::loadCalibrationData},
    };
    for (const auto& [name, command] : commands) {
        SCOPED_TRACE(name);
        platform.answers = {false};
        typeOver(grid(), 1, 2, "230");
        command(*window);
        EXPECT_EQ(cal().emf[1], Number::fromSingle(230.0f));
        typeOver(grid(), 1, 2, "231");  // a different value for the next command
        QTest::keyClick(&box(), Qt::Key_Return);
    }
}

// The calibration grid makes a data row current whatever the answer; the adjustment
// grid moves only when a point went.
TEST_F(Editing, DeletingAPointAsksAndKeepsARowCurrent)
{
    load(QString::fromStdString(folder.write("adj.txt", "1,200\n2,210\n3,220\n")), &MainWindow::loadAdjustmentData);
    struct Case {
        PointSetGrid* grid;
        void (MainWindow::*command)();
        int row;
        bool yes;
        int count, endRow;
    };
    PointSetGrid* adjustment = ui().adjustmentGrid;
    const std::vector<Case> cases{
        {&grid(), &MainWindow::deleteCalibrationPoint, 15, true, 14, 14},
        {&grid(), &MainWindow::deleteCalibrationPoint, 0, false, 14, 1},
        {adjustment, &MainWindow::deleteAdjustmentPoint, 3, true, 2, 2},
        {adjustment, &MainWindow::deleteAdjustmentPoint, 0, false, 2, 0},
        {adjustment, &MainWindow::deleteAdjustmentPoint, 0, true, 1, 0},
    };
    for (const Case& c : cases) {
        c.grid->setCurrentCell(c.row, 2);
        platform.answers = {c.yes};
        (window.get()->*c.command)();
        EXPECT_EQ(c.grid->rows() - 1, c.count) << c.row;
        EXPECT_EQ(c.grid->row(), c.endRow) << c.row;
    }
    EXPECT_EQ(platform.questions.size(), 5);
}

// The adjusted column follows a typed emf; a text typed into it is stored nowhere and
// the adjustment writes over it.
TEST_F(Editing, AdjustmentFollowsEditedPoints)
{
    load(QString::fromStdString(folder.write("adj.txt", "1,200\n2,210\n")), &MainWindow::loadAdjustmentData);
    AdjustmentGrid& grid = *ui().adjustmentGrid;
    const QString adjusted = grid.text(1, kAdjustedColumn);
    ASSERT_FALSE(adjusted.isEmpty());
    typeOver(grid, 1, 2, "250");
    QTest::keyClick(&grid.editBox(), Qt::Key_Return);
    EXPECT_NE(grid.text(1, kAdjustedColumn), adjusted);

    const AdjustmentData before = adj();
    const QString second = grid.text(2, kAdjustedColumn);
    typeOver(grid, 2, kAdjustedColumn, "9");
    QTest::keyClick(&grid.editBox(), Qt::Key_Return);
    EXPECT_EQ(adj().emf, before.emf);
    EXPECT_EQ(adj().volume, before.volume);
    EXPECT_EQ(grid.text(2, kAdjustedColumn), second);
}

// Menu keys come first, also in a text box; a disabled command's key is the box's.
TEST_F(Editing, ShortcutsBeatTheFocusedBoxUnlessDisabled)
{
    QLineEdit* acid = ui().acidConcentration;
    const QString fitted = ui().ezero->text();
    acid->setFocus();
    QTest::keyClicks(acid, "2");  // " .12": another fit
    QTest::keyClick(acid, Qt::Key_C, Qt::ControlModifier);
    EXPECT_NE(ui().ezero->text(), fitted);

    QTest::keyClick(acid, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(cal().count, 16);
    typeOver(grid(), 2, 1, "4");
    QTest::keyClick(&box(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(cal().count, 17);
    EXPECT_EQ(cal().volume[2], Number::fromSingle(4.0f));

    acid->setFocus();
    acid->selectAll();
    QTest::keyClick(acid, Qt::Key_X, Qt::ControlModifier);  // no data for adjustment: the box cuts
    EXPECT_EQ(acid->text(), "");
    EXPECT_EQ(adj().count, 0);
}

}  // namespace
}  // namespace quorlin::testing
