#include "window_fixture.h"

#include "ui/grids/grid_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QSignalSpy>

namespace quorlin::testing {
namespace {

class Clipboard : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        load(QString::fromStdString(folder.write("two.txt", "0.1,50\n0.1,227.56\n0.25,234\n")));
        platform.beeps = 0;  // the load's fit of too few points
    }
    CalibrationGrid& grid() const { return *ui().calibrationGrid; }
};

// Ctrl+C stays Calibrate, which beeps at two points.
TEST_F(Clipboard, ShiftedKeysCopyTheTableOrTheSelectionWithPointsNotCalibrating)
{
    typeOver(grid(), 2, 2, " 234,5 ");
    grid().finishEdit();
    QTest::keyClick(&grid(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "vol. /ml\temf /mV\n.1\t227.56\n.25\t234.5\n");
    grid().setCurrentCell(2, 1);
    grid().setSelectionEnd(2, 2);
    EXPECT_EQ(gridText(grid(), copiedRange(grid())), ".25\t234.5\n");
    EXPECT_EQ(platform.beeps, 0);
    QTest::keyClick(&grid(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(platform.beeps, 1);
    QTest::keyClick(&grid(), Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(platform.questions, QStringList{"Replace point 2 with the pasted values?"});
}

TEST_F(Clipboard, PasteAsksThenReplacesAndAppends)
{
    const QString table = "vol\temf\n1,5\t-20,5\n2.5, 30\n\n";
    QSignalSpy changes(&grid(), &PointSetGrid::pointsChanged);
    platform.answers = {false, true};
    grid().setCurrentCell(0, 1);
    grid().pastePoints(table);
    grid().setCurrentCell(2, 1);
    grid().pastePoints(table);
    EXPECT_EQ(platform.questions, QStringList({"Replace points 1 to 2 with the pasted values?",
                                               "Replace point 2 with the pasted values?"}));
    EXPECT_EQ(cal().volume[1], Number::fromDouble(0.1));
    EXPECT_EQ(cal().volume[2], Number::fromSingle(1.5f));
    EXPECT_EQ(cal().emf[2], Number::fromSingle(-20.5f));
    EXPECT_EQ(grid().text(3, 2), " 30");
    EXPECT_TRUE(grid().isSelected(3, 2));
    EXPECT_EQ(changes.size(), 1);
}

TEST_F(Clipboard, BadLineIsRefusedNamingIt)
{
    grid().pastePoints("1\t2\n3\t4\nabc\n");
    grid().pastePoints("vol\temf\n1\t2;3\n");
    EXPECT_EQ(platform.messages,
              QStringList({"Line 3 is not a volume and an emf: abc", "Line 1 is not a volume and an emf: vol\temf"}));
    EXPECT_EQ(cal().volume[1], Number::fromDouble(0.1));
}

}  // namespace
}  // namespace quorlin::testing
