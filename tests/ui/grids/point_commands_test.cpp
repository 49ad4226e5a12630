#include "ui/grids/grid_fixture.h"

#include <QSignalSpy>

namespace quorlin::test {
namespace {

const Points kFive{{1, 101}, {2, 102}, {3, 103}, {4, 104}, {5, 105}};

class PointCommands : public GridFixture {
protected:
    std::vector<double> calVolumes() const { return values(ws_.CalVolume, ws_.CalCount); }
    std::vector<double> adjVolumes() const { return values(ws_.AdjVolume, ws_.AdjCount); }
};

TEST_F(PointCommands, InsertionPutsAZeroPointAfterTheCurrentRow)
{
    loadCalibration(kFive);
    QSignalSpy added(dataGrid_, &DataGrid::calibrationPointAdded);
    dataGrid_->setCurrentCell(2, 2);
    dataGrid_->CalibrationAdd();

    EXPECT_EQ(ws_.CalCount, 6);
    EXPECT_EQ(calVolumes(), (std::vector<double>{1, 2, 0, 3, 4, 5}));
    EXPECT_EQ(values(ws_.CalEmf, 6), (std::vector<double>{101, 102, 0, 103, 104, 105}));
    EXPECT_EQ(dataGrid_->rows(), 7);
    EXPECT_EQ(dataGrid_->row(), 3);
    EXPECT_EQ(dataGrid_->col(), 1);
    EXPECT_EQ(dataGrid_->currentText(), " 0");
    EXPECT_EQ(added.count(), 1);

    dataGrid_->setCurrentCell(6, 1);
    dataGrid_->CalibrationAdd();
    EXPECT_EQ(calVolumes(), (std::vector<double>{1, 2, 0, 3, 4, 5, 0}));
    EXPECT_EQ(dataGrid_->row(), 7);
}

TEST_F(PointCommands, InsertionIntoAnEmptySetMakesPointOne)
{
    QSignalSpy added(dataGrid_, &DataGrid::calibrationPointAdded);
    dataGrid_->CalibrationAdd();
    EXPECT_EQ(ws_.CalCount, 1);
    EXPECT_EQ(ws_.CalVolume[1].value(), 0.0);
    EXPECT_EQ(ws_.CalEmf[1].value(), 0.0);
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
    EXPECT_EQ(calVolumes(), (std::vector<double>{1, 3, 4, 5}));
    EXPECT_EQ(dataGrid_->rows(), 5);
    EXPECT_EQ(dataGrid_->row(), 2);
    EXPECT_EQ(dataGrid_->col(), 1);
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
    EXPECT_EQ(adjVolumes(), (std::vector<double>{1, 2, 3, 4, 5}));
    EXPECT_EQ(correctionGrid_->text(3, 1), " 3");
    EXPECT_EQ(correctionGrid_->row(), 3);
    EXPECT_EQ(correctionGrid_->highlight(), PointGrid::Highlight::Never);
}

TEST_F(PointCommands, DeletingTheLastRowMakesTheNewLastRowCurrent)
{
    loadCalibration(kFive);
    loadAdjustment(kFive);
    dataGrid_->setCurrentCell(5, 1);
    correctionGrid_->setCurrentCell(5, 1);
    dataGrid_->CalibrationDelete();
    correctionGrid_->AdjustmentDelete();
    EXPECT_EQ(dataGrid_->row(), 4);
    EXPECT_EQ(correctionGrid_->row(), 4);
    EXPECT_EQ(calVolumes(), (std::vector<double>{1, 2, 3, 4}));
    EXPECT_EQ(adjVolumes(), (std::vector<double>{1, 2, 3, 4}));
}

TEST_F(PointCommands, HeaderRowBecomesCurrentAfterTheLastPointAndStaysAfterALoad)
{
    loadCalibration({{7, 107}});
    loadAdjustment({{7, 107}});
    dataGrid_->setCurrentCell(1, 1);
    correctionGrid_->setCurrentCell(1, 1);
    dataGrid_->CalibrationDelete();
    correctionGrid_->AdjustmentDelete();
    EXPECT_EQ(ws_.CalCount, 0);
    EXPECT_EQ(dataGrid_->row(), 0);
    EXPECT_EQ(correctionGrid_->row(), 0);

    loadCalibration(kFive);
    loadAdjustment(kFive);
    EXPECT_EQ(dataGrid_->row(), 0);
    EXPECT_EQ(correctionGrid_->row(), 0);

    // Deletion from the header row removes point 1.
    dataGrid_->CalibrationDelete();
    correctionGrid_->AdjustmentDelete();
    EXPECT_EQ(calVolumes(), (std::vector<double>{2, 3, 4, 5}));
    EXPECT_EQ(adjVolumes(), (std::vector<double>{2, 3, 4, 5}));
    EXPECT_EQ(dataGrid_->row(), 1);
    EXPECT_EQ(correctionGrid_->row(), 0);

    // Insertion from the header row puts the zero point first.
    correctionGrid_->AdjustmentAdd();
    EXPECT_EQ(adjVolumes(), (std::vector<double>{0, 2, 3, 4, 5}));
    EXPECT_EQ(correctionGrid_->row(), 1);
}

TEST_F(PointCommands, DeletionFromAnEmptySetAsksNothing)
{
    dataGrid_->CalibrationDelete();
    correctionGrid_->AdjustmentDelete();
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
    EXPECT_EQ(calVolumes(), (std::vector<double>{1, 0, 2, 3, 9, 5}));
}

class AdjustedColumnAfterPointCommands : public GridFixture {
protected:
    void SetUp() override
    {
        GridFixture::SetUp();
        calibrate();
        loadAdjustment({{1, 223.02}, {2, 200}, {3, 180}});
        correctionGrid_->RunAdjustment();
        before_ = {correctionGrid_->text(1, 3), correctionGrid_->text(2, 3), correctionGrid_->text(3, 3)};
    }

    QStringList adjustedTexts() const
    {
        QStringList texts;
        for (int row = 1; row < correctionGrid_->rows(); ++row) texts << correctionGrid_->text(row, 3);
        return texts;
    }

    QStringList before_;
};

TEST_F(AdjustedColumnAfterPointCommands, RerunKeepsEachTextBesideItsPoint)
{
    ASSERT_EQ(before_[0], "223.00");
    correctionGrid_->setCurrentCell(1, 1);
    correctionGrid_->AdjustmentAdd();
    ASSERT_EQ(adjustedTexts().size(), 4);
    EXPECT_EQ(adjustedTexts()[0], before_[0]);
    EXPECT_EQ(adjustedTexts()[2], before_[1]);
    EXPECT_EQ(adjustedTexts()[3], before_[2]);
    const QString zeroPointText = adjustedTexts()[1];
    EXPECT_FALSE(zeroPointText.isEmpty());

    correctionGrid_->setCurrentCell(1, 1);
    correctionGrid_->AdjustmentDelete();
    EXPECT_EQ(adjustedTexts(), (QStringList{zeroPointText, before_[1], before_[2]}));
}

TEST_F(AdjustedColumnAfterPointCommands, WithoutCalibrationTheColumnIsCleared)
{
    calibrated_ = false;
    correctionGrid_->setCurrentCell(3, 1);
    correctionGrid_->AdjustmentAdd();
    EXPECT_EQ(adjustedTexts(), (QStringList{"", "", "", ""}));

    loadAdjustment({{1, 223.02}, {2, 200}, {3, 180}});
    correctionGrid_->RunAdjustment();
    correctionGrid_->setCurrentCell(2, 1);
    correctionGrid_->AdjustmentDelete();
    EXPECT_EQ(adjustedTexts(), (QStringList{"", ""}));
}

}  // namespace
}  // namespace quorlin::test
