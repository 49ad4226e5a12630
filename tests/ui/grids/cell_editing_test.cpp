#include "ui/grids/grid_fixture.h"
#include "ui/grids/cell_editor.h"

#include <QAction>
#include <QScrollBar>

namespace quorlin::test {
namespace {

const QColor kCyan(0, 255, 255);
const QColor kYellow(255, 255, 0);

class CellEditing : public GridFixture {
protected:
    void SetUp() override
    {
        GridFixture::SetUp();
        loadCalibration({{0.5, 350.2}, {12.5, 300.0}, {0.1, -58.1}, {3, 120}, {4, 110}});
    }

    CellEditBox& box() { return dataGrid_->EditA(); }

    // Types over the current cell: the first character opens the box, the rest go into it.
    void typeOver(int row, int col, const QString& text)
    {
        dataGrid_->setCurrentCell(row, col);
        dataGrid_->setFocus();
        QTest::keyClicks(dataGrid_, text.left(1));
        QTest::keyClicks(&box(), text.mid(1));
    }

    // Opens the current cell with Enter and presses `key` in the box.
    void reopenAndPress(Qt::Key key)
    {
        QTest::keyClick(dataGrid_, Qt::Key_Return);
        QTest::keyClick(&box(), key);
    }
};

TEST_F(CellEditing, DoubleClickOpensTheCellInACyanBoxAndEnterStoresItAsSingle)
{
    doubleClickCell(*dataGrid_, 2, 1);  // the file's double 12.5
    ASSERT_TRUE(box().isVisible());
    EXPECT_TRUE(box().hasFocus());
    EXPECT_EQ(box().text(), " 12.5");
    EXPECT_EQ(box().cursorPosition(), 0);
    EXPECT_EQ(box().background(), kCyan);
    const QRect cell = dataGrid_->currentCellRect();
    EXPECT_EQ(box().geometry(), QRect(dataGrid_->x() + cell.x(), dataGrid_->y() + cell.y() + 1, cell.width(),
                                      cell.height() - 1));
    EXPECT_EQ(dataGrid_->editor().state().EditRow, 2);
    EXPECT_EQ(dataGrid_->editor().state().EditCol, 1);
    EXPECT_EQ(dataGrid_->editor().state().EditOldText, " 12.5");

    QTest::keyClick(&box(), Qt::Key_Return);
    EXPECT_FALSE(box().isVisible());
    EXPECT_TRUE(dataGrid_->hasFocus());
    EXPECT_EQ(ws_.CalVolume[2], Number::fromSingle(12.5f));
    EXPECT_EQ(dataGrid_->text(2, 1), " 12.5");
    EXPECT_EQ(currentCell(*dataGrid_), (Cell{2, 1}));
}

TEST_F(CellEditing, TypingOverACellStartsWithThatCharacterAndStoresOnlyAtTheEnd)
{
    typeOver(4, 2, "7");
    ASSERT_TRUE(box().isVisible());
    EXPECT_EQ(box().text(), "7");
    EXPECT_EQ(box().cursorPosition(), 1);
    EXPECT_EQ(ws_.CalEmf[4], Number::fromDouble(120));
    EXPECT_EQ(dataGrid_->text(4, 2), " 120");

    QTest::keyClicks(&box(), "5.25");
    QTest::keyClick(&box(), Qt::Key_Return);
    EXPECT_EQ(ws_.CalEmf[4], Number::fromSingle(75.25f));
    EXPECT_EQ(dataGrid_->text(4, 2), "75.25");
}

TEST_F(CellEditing, EscapeRestoresTheOldTextAndStoresTheShownValue)
{
    doubleClickCell(*dataGrid_, 3, 1);  // the file's double 0.1 shows " .1"
    box().setText("99");
    QTest::keyClick(&box(), Qt::Key_Escape);
    EXPECT_FALSE(box().isVisible());
    EXPECT_EQ(dataGrid_->text(3, 1), " .1");
    EXPECT_EQ(ws_.CalVolume[3], Number::fromSingle(0.1f));
}

TEST_F(CellEditing, ArrowsInCyanCommitAndMoveOneCellWithinTheData)
{
    doubleClickCell(*dataGrid_, 2, 2);
    box().setText("5");
    QTest::keyClick(&box(), Qt::Key_Down);
    EXPECT_FALSE(box().isVisible());
    EXPECT_EQ(ws_.CalEmf[2], Number::fromSingle(5.0f));
    EXPECT_EQ(currentCell(*dataGrid_), (Cell{3, 2}));

    reopenAndPress(Qt::Key_Right);  // already in the last column: stays
    EXPECT_EQ(currentCell(*dataGrid_), (Cell{3, 2}));
    reopenAndPress(Qt::Key_Left);
    EXPECT_EQ(currentCell(*dataGrid_), (Cell{3, 1}));
    reopenAndPress(Qt::Key_Up);
    EXPECT_EQ(currentCell(*dataGrid_), (Cell{2, 1}));

    dataGrid_->setCurrentCell(5, 1);
    reopenAndPress(Qt::Key_Down);  // the last row: the grid stays there
    EXPECT_EQ(dataGrid_->row(), 5);
    dataGrid_->setCurrentCell(1, 1);
    reopenAndPress(Qt::Key_Up);  // never onto the header row
    EXPECT_EQ(dataGrid_->row(), 1);
}

TEST_F(CellEditing, F2SwitchesToYellowWhereArrowsMoveTheCaret)
{
    doubleClickCell(*dataGrid_, 2, 2);
    QTest::keyClick(&box(), Qt::Key_F2);
    EXPECT_EQ(box().background(), kYellow);
    EXPECT_FALSE(dataGrid_->editor().state().ArrowMoveMode);

    QTest::keyClick(&box(), Qt::Key_End);
    QTest::keyClick(&box(), Qt::Key_Left);
    QTest::keyClick(&box(), Qt::Key_Down);
    EXPECT_TRUE(box().isVisible());
    EXPECT_EQ(box().cursorPosition(), box().text().size() - 1);
    EXPECT_EQ(dataGrid_->row(), 2);

    QTest::keyClick(&box(), Qt::Key_F2);
    EXPECT_EQ(box().background(), kCyan);
    QTest::keyClick(&box(), Qt::Key_Down);
    EXPECT_FALSE(box().isVisible());
    EXPECT_EQ(dataGrid_->row(), 3);

    QTest::keyClick(dataGrid_, Qt::Key_Return);  // every edit starts in arrow-move mode
    EXPECT_TRUE(dataGrid_->editor().state().ArrowMoveMode);
}

TEST_F(CellEditing, CommaTypedIsTheDecimalSeparatorAndStaysInTheCell)
{
    for (const char separator : {'.', ','}) {
        regional_.decimalSeparator = separator;
        regional_.groupingSymbol = separator == '.' ? ',' : '.';
        typeOver(1, 1, "1,5");
        QTest::keyClick(&box(), Qt::Key_Return);
        EXPECT_EQ(ws_.CalVolume[1], Number::fromSingle(1.5f)) << separator;
        EXPECT_EQ(dataGrid_->text(1, 1), "1,5") << separator;
    }
}

TEST_F(CellEditing, NumberBeyondSingleRangeShowsTheMessageAndStoresNoValue)
{
    typeOver(2, 1, "1e39");
    QTest::keyClick(&box(), Qt::Key_Return);
    EXPECT_EQ(services_.messages, QStringList{"invalid entry for number"});
    EXPECT_TRUE(ws_.CalVolume[2].isEmpty());
    EXPECT_EQ(dataGrid_->text(2, 1), "1e39");
}

TEST_F(CellEditing, FocusLeavingTheBoxCommitsWhereTheEditStarted)
{
    doubleClickCell(*dataGrid_, 4, 1);
    box().setText("8");
    dataGrid_->setCurrentCell(1, 2);  // the grid's current cell moves before the commit
    correctionGrid_->setFocus();
    EXPECT_FALSE(box().isVisible());
    EXPECT_EQ(ws_.CalVolume[4], Number::fromSingle(8.0f));
    EXPECT_EQ(ws_.CalEmf[1], Number::fromDouble(350.2));
    EXPECT_EQ(dataGrid_->text(4, 1), "8");
}

TEST_F(CellEditing, HeaderRowAndControlKeysOpenNoEdit)
{
    typeOver(0, 1, "5");
    QTest::keyClick(dataGrid_, Qt::Key_Return);
    EXPECT_FALSE(box().isVisible());
    EXPECT_EQ(dataGrid_->text(0, 1), "vol. /ml");
    EXPECT_EQ(ws_.CalVolume[0], Number());

    dataGrid_->setCurrentCell(2, 2);
    QTest::keyClick(dataGrid_, Qt::Key_Escape);
    EXPECT_FALSE(box().isVisible());
    QTest::keyClick(dataGrid_, Qt::Key_Backspace);
    ASSERT_TRUE(box().isVisible());
    EXPECT_EQ(box().text(), "");
}

TEST_F(CellEditing, ScrollingOrResizingTheGridEndsTheEdit)
{
    loadCalibration(Points(200, {1.0, 2.0}));
    doubleClickCell(*dataGrid_, 1, 1);
    box().setText("4");
    dataGrid_->verticalScrollBar()->setValue(dataGrid_->verticalScrollBar()->value() + 30);
    EXPECT_FALSE(box().isVisible());
    EXPECT_EQ(ws_.CalVolume[1], Number::fromSingle(4.0f));

    doubleClickCell(*dataGrid_, 40, 2);
    box().setText("6");
    dataGrid_->resize(dataGrid_->width(), dataGrid_->height() - 20);
    EXPECT_FALSE(box().isVisible());
    EXPECT_EQ(ws_.CalEmf[40], Number::fromSingle(6.0f));
}

TEST_F(CellEditing, CtrlShortcutsReachTheWindowMenuDuringAnEdit)
{
    QAction add(window_.get());
    add.setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    window_->addAction(&add);
    int triggered = 0;
    QObject::connect(&add, &QAction::triggered, [&triggered] { ++triggered; });

    doubleClickCell(*dataGrid_, 2, 1);
    QTest::keyClick(&box(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(triggered, 1);
}

using AdjustmentCellEditing = GridFixture;

TEST_F(AdjustmentCellEditing, EmfEditRerunsTheAdjustmentAndAnAdjustedColumnEditStoresNothing)
{
    calibrate();
    loadAdjustment({{1.0, 223.02}, {2.0, 200.0}});
    correctionGrid_->RunAdjustment();
    EXPECT_EQ(correctionGrid_->text(1, 3), "223.00");

    doubleClickCell(*correctionGrid_, 2, 2);
    correctionGrid_->EditB().setText("223.02");
    QTest::keyClick(&correctionGrid_->EditB(), Qt::Key_Return);
    EXPECT_EQ(ws_.AdjEmf[2], Number::fromSingle(223.02f));
    EXPECT_EQ(correctionGrid_->text(2, 3), "223.00");

    const PointArray volumes = ws_.AdjVolume;
    const PointArray emfs = ws_.AdjEmf;
    correctionGrid_->setCurrentCell(1, 3);
    correctionGrid_->setFocus();
    QTest::keyClick(correctionGrid_, Qt::Key_9);
    QTest::keyClick(&correctionGrid_->EditB(), Qt::Key_Return);
    EXPECT_EQ(ws_.AdjVolume, volumes);
    EXPECT_EQ(ws_.AdjEmf, emfs);
    EXPECT_EQ(correctionGrid_->text(1, 3), "223.00");
}

}  // namespace
}  // namespace quorlin::test
