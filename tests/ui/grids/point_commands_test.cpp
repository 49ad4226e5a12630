#include "ui/grids/grid_fixture.h"

#include <QSignalSpy>

#include <optional>

namespace quorlin::test {
namespace {

const Points kFive{{1, 101}, {2, 102}, {3, 103}, {4, 104}, {5, 105}};

using Volumes = std::vector<double>;
using Rows = std::pair<int, int>;  // current rows of DataGrid and CorrectionGrid

class PointCommands : public GridFixture {
protected:
    void loadBoth(const Points& points)
    {
        loadCalibration(points);
        loadAdjustment(points);
    }
    // Deletes from both grids, from `row` when it is given, else from the current rows.
    void deleteFromBoth(std::optional<int> row = std::nullopt)
    {
        if (row) {
            dataGrid_->setCurrentCell(*row, 1);
            correctionGrid_->setCurrentCell(*row, 1);
        }
        dataGrid_->CalibrationDelete();
        correctionGrid_->AdjustmentDelete();
    }
    Rows currentRows() const { return {dataGrid_->row(), correctionGrid_->row()}; }
};

TEST_F(PointCommands, InsertionPutsAZeroPointAfterTheCurrentRow)
{
    loadCalibration(kFive);
    QSignalSpy added(dataGrid_, &DataGrid::calibrationPointAdded);
    dataGrid_->setCurrentCell(2, 2);
    dataGrid_->CalibrationAdd();

    EXPECT_EQ(calVolumes(), (Volumes{1, 2, 0, 3, 4, 5}));
    EXPECT_EQ(values(ws_.CalEmf, 6), (Volumes{101, 102, 0, 103, 104, 105}));
    EXPECT_EQ(dataGrid_->rows(), 7);
    EXPECT_EQ(currentCell(*dataGrid_), (Cell{3, 1}));
    EXPECT_EQ(dataGrid_->currentText(), " 0");
    EXPECT_EQ(added.count(), 1);

    dataGrid_->setCurrentCell(6, 1);
    dataGrid_->CalibrationAdd();
    EXPECT_EQ(calVolumes(), (Volumes{1, 2, 0, 3, 4, 5, 0}));
    EXPECT_EQ(dataGrid_->row(), 7);
}

TEST_F(PointCommands, InsertionIntoAnEmptySetMakesPointOne)
{
    QSignalSpy added(dataGrid_, &DataGrid::calibrationPointAdded);
    dataGrid_->CalibrationAdd();
    EXPECT_EQ(calVolumes(), (Volumes{0}));
    EXPECT_EQ(values(ws_.CalEmf, 1), (Volumes{0}));
    EXPECT_EQ(dataGrid_->row(), 1);
    EXPECT_EQ(dataGrid_->text(0, 2), "emf /mV");
    EXPECT_EQ(added.count(), 1);

    QTest::keyClick(dataGrid_, Qt::Key_2);  // typing goes straight into the new point
    QTest::keyClick(&dataGrid_->EditA(), Qt::Key_Return);
    EXPECT_EQ(ws_.CalVolume[1], Number::fromSingle(2.0f));
}

TEST_F(PointCommands, DeletionWithYesRemovesTheRowShownInRed)
{
    loadCalibration(kFive);
    dataGrid_->setCurrentCell(2, 2);
    bool rowShownInRed = false;
    services_.whileAsking = [&] {
        rowShownInRed = dataGrid_->isSelected(2, 1) && dataGrid_->isSelected(2, 2) && !dataGrid_->isSelected(1, 1) &&
                        dataGrid_->highlight() == PointGrid::Highlight::Always &&
                        dataGrid_->selectionColor() == QColor(255, 0, 0);
    };
    dataGrid_->CalibrationDelete();

    EXPECT_TRUE(rowShownInRed);
    EXPECT_EQ(services_.questions, QStringList{"Delete selected data point?"});
    EXPECT_EQ(services_.questionTitles, QStringList{"Calibration data"});
    EXPECT_EQ(calVolumes(), (Volumes{1, 3, 4, 5}));
    EXPECT_EQ(dataGrid_->rows(), 5);
    EXPECT_EQ(currentCell(*dataGrid_), (Cell{2, 1}));
    EXPECT_EQ(dataGrid_->highlight(), PointGrid::Highlight::Never);
}

TEST_F(PointCommands, DeletionWithNoKeepsThePointsButRefills)
{
    loadAdjustment(kFive);
    correctionGrid_->setCurrentCell(3, 1);
    correctionGrid_->setText(3, 1, "3,0");  // as typed
    services_.answer = false;
    correctionGrid_->AdjustmentDelete();

    EXPECT_EQ(services_.questionTitles, QStringList{"Data for adjustment"});
    EXPECT_EQ(adjVolumes(), (Volumes{1, 2, 3, 4, 5}));
    EXPECT_EQ(correctionGrid_->text(3, 1), " 3");
    EXPECT_EQ(correctionGrid_->row(), 3);
    EXPECT_EQ(correctionGrid_->highlight(), PointGrid::Highlight::Never);
}

TEST_F(PointCommands, DeletingTheLastRowMakesTheNewLastRowCurrent)
{
    loadBoth(kFive);
    deleteFromBoth(5);
    EXPECT_EQ(currentRows(), (Rows{4, 4}));
    EXPECT_EQ(calVolumes(), (Volumes{1, 2, 3, 4}));
    EXPECT_EQ(adjVolumes(), (Volumes{1, 2, 3, 4}));
}

TEST_F(PointCommands, HeaderRowBecomesCurrentAfterTheLastPointAndStaysAfterALoad)
{
    loadBoth({{7, 107}});
    deleteFromBoth(1);
    EXPECT_EQ(ws_.CalCount, 0);
    EXPECT_EQ(currentRows(), (Rows{0, 0}));
    loadBoth(kFive);
    EXPECT_EQ(currentRows(), (Rows{0, 0}));

    // Deletion from the header row removes point 1.
    deleteFromBoth();
    EXPECT_EQ(calVolumes(), (Volumes{2, 3, 4, 5}));
    EXPECT_EQ(adjVolumes(), (Volumes{2, 3, 4, 5}));
    EXPECT_EQ(currentRows(), (Rows{1, 0}));

    // Insertion from the header row puts the zero point first.
    correctionGrid_->AdjustmentAdd();
    EXPECT_EQ(adjVolumes(), (Volumes{0, 2, 3, 4, 5}));
    EXPECT_EQ(correctionGrid_->row(), 1);
}

TEST_F(PointCommands, DeletionFromAnEmptySetAsksNothing)
{
    deleteFromBoth();
    EXPECT_TRUE(services_.questions.isEmpty());
    EXPECT_EQ(ws_.CalCount, 0);
    EXPECT_EQ(ws_.AdjCount, 0);
}

TEST_F(PointCommands, PendingEditLandsOnItsPointBeforeTheCommand)
{
    loadCalibration(kFive);
    dataGrid_->setCurrentCell(4, 1);
    QTest::keyClick(dataGrid_, Qt::Key_9);
    dataGrid_->setCurrentCell(1, 1);
    dataGrid_->CalibrationAdd();
    EXPECT_EQ(calVolumes(), (Volumes{1, 0, 2, 3, 9, 5}));
}

}  // namespace
}  // namespace quorlin::test
