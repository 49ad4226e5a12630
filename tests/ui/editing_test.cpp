#include "window_fixture.h"

#include "ui/graph_widget.h"
#include "ui/grids/grid_contents.h"
#include "ui/help_window.h"
#include "ui/tab_strip.h"

#include <functional>

namespace quorlin::testing {
namespace {

class Editing : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        load(QString::fromStdString(folder.write("model.txt", CalibrationFileText(ElectrodeModel{}, 15))));
    }
    CalibrationGrid& grid() const { return *ui().calibrationGrid; }
    CellEditBox& box() const { return grid().editBox(); }
};

// Every edit opens with "75" typed over a cell; then the keys decide where it ends.
TEST_F(Editing, KeysEndOrKeepTheEditAndMoveTheCell)
{
    const struct {
        const char* name;
        std::vector<Qt::Key> keys;
        int row, col, endRow, endCol;
        bool stillEditing, stored;  // not stored: Escape put the old text back
    } cases[] = {
        {"Enter commits", {Qt::Key_Return}, 2, 1, 2, 1, false, true},
        {"Escape restores", {Qt::Key_Escape}, 2, 1, 2, 1, false, false},
        {"arrows move a cell", {Qt::Key_Down}, 2, 1, 3, 1, false, true},
        {"never onto the header", {Qt::Key_Up}, 1, 2, 1, 2, false, true},
        {"nor past the last column", {Qt::Key_Right}, 3, 2, 3, 2, false, true},
        {"F2 lets arrows move the caret", {Qt::Key_F2, Qt::Key_Left, Qt::Key_Down}, 2, 2, 2, 2, true, true},
        {"F2 again lets them leave", {Qt::Key_F2, Qt::Key_F2, Qt::Key_Left}, 2, 2, 2, 1, false, true},
        {"Tab moves on", {Qt::Key_Tab}, 2, 1, 2, 2, false, true},
        {"from the last column to the next row", {Qt::Key_Tab}, 2, 2, 3, 1, false, true},
        {"Shift+Tab moves back", {Qt::Key_Backtab}, 3, 1, 2, 2, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString old = grid().text(c.row, c.col);
        typeOver(grid(), c.row, c.col, "75");
        for (Qt::Key key : c.keys) QTest::keyClick(&box(), key);
        EXPECT_EQ(box().isVisible(), c.stillEditing);
        EXPECT_EQ(box().background(), c.stillEditing ? CellEditBox::kCaretMoveColor : CellEditBox::kArrowMoveColor);
        grid().finishEdit();
        EXPECT_EQ(std::pair(grid().row(), grid().col()), std::pair(c.endRow, c.endCol));
        EXPECT_EQ(grid().text(c.row, c.col), c.stored ? "75" : old);
        const Number stored = (c.col == 1 ? cal().volume : cal().emf)[static_cast<std::size_t>(c.row)];
        EXPECT_TRUE(!c.stored || stored == Number::fromSingle(75.0f)) << stored.value();
    }
    // Past the last cell Tab leaves the grid: no keyboard user is trapped in it.
    typeOver(grid(), grid().rows() - 1, 2, "80");
    QTest::keyClick(&box(), Qt::Key_Tab);
    EXPECT_FALSE(grid().hasFocus() || box().hasFocus() || box().isVisible());
    EXPECT_EQ(cal().emf[static_cast<std::size_t>(grid().rows() - 1)], Number::fromSingle(80.0f));
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

// A click on the tab strip or the plot ends the edit as a click on a box does.
TEST_F(Editing, ClickingATabOrThePlotEndsTheEdit)
{
    load(QString::fromStdString(folder.write("adj.txt", "1,200\n")), &MainWindow::loadAdjustmentData);
    const std::pair<QWidget*, float> clicks[] = {{ui().tabs->childAt(5, 5), 8.0f}, {ui().graph, 9.0f}};
    for (const auto& [target, volume] : clicks) {  // the first tab, then the plot
        typeOver(grid(), 2, 1, QString::number(volume));
        QTest::mouseClick(target, Qt::LeftButton, {}, {5, 5});
        EXPECT_FALSE(box().isVisible());
        EXPECT_EQ(cal().volume[2], Number::fromSingle(volume));
    }
}

// Text that is not wholly a number would reach the fit as some other value, or none: the
// cell keeps its value and text, and the message names what was typed.
TEST_F(Editing, TextThatIsNotWhollyANumberLeavesTheCellAsItWas)
{
    const QString shown = grid().text(3, 2);
    const Number value = cal().emf[3];
    const std::pair<QString, QString> cases[] = {
        {"abc", "`abc` is not a number; the value stays " + shown.trimmed()},
        {" 2S8.4", "`2S8.4` is not a number; the value stays " + shown.trimmed()},
        {"1e39", "invalid entry for number"}};
    for (const auto& [typed, message] : cases) {
        typeOver(grid(), 3, 2, typed + '\r');
        EXPECT_EQ(std::pair(grid().text(3, 2), cal().emf[3]), std::pair(shown, value));
        EXPECT_EQ(platform.messages.back(), message);
    }
    EXPECT_EQ(platform.messages.size(), std::size(cases));
    EXPECT_FALSE(window->commands().undo->isEnabled());
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

// A load makes point 1 current. The calibration grid makes a data row current whatever
// the answer; the adjustment grid moves only when a point went.
TEST_F(Editing, DeletingAPointAsksAndKeepsARowCurrent)
{
    load(QString::fromStdString(folder.write("adj.txt", "1,200\n2,210\n3,220\n")), &MainWindow::loadAdjustmentData);
    EXPECT_EQ(std::pair(grid().row(), grid().col()), std::pair(1, 1));
    EXPECT_EQ(std::pair(ui().adjustmentGrid->row(), ui().adjustmentGrid->col()), std::pair(1, 1));
    const struct {
        bool calibration, yes;
        int row, count, endRow;
    } cases[] = {{true, true, 15, 14, 14},
                 {true, false, 0, 14, 1},
                 {false, true, 3, 2, 2},
                 {false, false, 0, 2, 0},
                 {false, true, 0, 1, 0}};
    for (const auto& c : cases) {
        PointSetGrid& g = c.calibration ? static_cast<PointSetGrid&>(grid()) : *ui().adjustmentGrid;
        g.setCurrentCell(c.row, 2);
        platform.answers = {c.yes};
        c.calibration ? window->deleteCalibrationPoint() : window->deleteAdjustmentPoint();
        EXPECT_EQ(std::pair(g.rows() - 1, g.row()), std::pair(c.count, c.endRow)) << c.row;
    }
    EXPECT_EQ(platform.questions.size(), 5);
}

// Menu keys come first, also in a text box; a disabled command's key is the box's, and
// no key of the main window works in another window.
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

    HelpWindow help(window.get());  // its keys are its own
    help.show();
    help.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&help] { return QApplication::activeWindow() == &help; }));
    QTest::keyClick(&help, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(cal().count, 17);
}

}  // namespace
}  // namespace quorlin::testing
