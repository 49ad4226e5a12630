#include "ui/grids/grid_fixture.h"
#include "ui/grids/grid_sizing.h"

#include <limits>

namespace quorlin::test {
namespace {

using GridContents = GridFixture;

TEST_F(GridContents, CellsShowThePointNumberTextWithAPointInAnyConvention)
{
    regional_.decimalSeparator = ',';
    regional_.groupingSymbol = '.';
    loadCalibration({{0.5, -58.1}, {120, 0.00001}});
    ws_.CalVolume[2] = Number::fromSingle(0.1f);
    dataGrid_->FillDataGrid();

    EXPECT_EQ(dataGrid_->cols(), 3);
    EXPECT_EQ(dataGrid_->rows(), 3);
    // " .1": 7 digits for a typed value.
    const struct { int row, col; QString text; } cells[] = {
        {0, 1, "vol. /ml"}, {0, 2, "emf /mV"}, {1, 0, " 1"}, {1, 1, " .5"}, {1, 2, "-58.1"}, {2, 1, " .1"},
        {2, 2, " 1E-05"}};
    for (const auto& c : cells) EXPECT_EQ(dataGrid_->text(c.row, c.col), c.text) << c.row << "," << c.col;
    EXPECT_EQ(dataGrid_->model()->data(dataGrid_->model()->index(0, 1)).toString(), "-58.1");
}

TEST_F(GridContents, ColumnsHaveTheirWidthsInTwipsAndLeftBottomAlignment)
{
    loadCalibration({{1, 2}});
    loadAdjustment({{1, 2}});
    const double tolerance = dataGrid_->twipsPerPixel().x;
    EXPECT_NEAR(dataGrid_->columnWidthTwips(0), 300, tolerance);
    EXPECT_NEAR(dataGrid_->columnWidthTwips(1), 750, tolerance);
    EXPECT_NEAR(dataGrid_->columnWidthTwips(2), 750, tolerance);
    EXPECT_EQ(correctionGrid_->cols(), 4);
    EXPECT_NEAR(correctionGrid_->columnWidthTwips(0), 450, tolerance);
    EXPECT_NEAR(correctionGrid_->columnWidthTwips(3), 750, tolerance);
    EXPECT_EQ(correctionGrid_->text(0, 3), "adjusted");

    const auto leftBottom = static_cast<int>(Qt::AlignLeft | Qt::AlignBottom);
    for (PointGrid* grid : {static_cast<PointGrid*>(dataGrid_), static_cast<PointGrid*>(correctionGrid_)}) {
        QAbstractItemModel& model = *grid->model();
        for (int section = 0; section < model.columnCount(); ++section) {
            EXPECT_EQ(model.data(model.index(0, section), Qt::TextAlignmentRole).toInt(), leftBottom);
            EXPECT_EQ(model.headerData(section, Qt::Horizontal, Qt::TextAlignmentRole).toInt(), leftBottom);
        }
    }
}

TEST_F(GridContents, FitGridHeightStopsAtTheRoomLeftInTheContainer)
{
    const double tpp = dataGrid_->twipsPerPixel().y;
    const double rowTwips = dataGrid_->rowHeightTwips(1);
    loadCalibration(Points(3, {1, 2}));
    EXPECT_NEAR(dataGrid_->height() * tpp, 255 + 4 * rowTwips, tpp);

    loadCalibration(Points(1000, {1, 2}));
    const double room = calibrationPanel_->height() * tpp - dataGrid_->y() * tpp - 60;
    EXPECT_NEAR(dataGrid_->height() * tpp, room, tpp);

    const int before = dataGrid_->height();
    dataGrid_->move(0, calibrationPanel_->height() + 10);  // no room at all: left alone
    fitGridHeight(*dataGrid_);
    EXPECT_EQ(dataGrid_->height(), before);
}

TEST_F(GridContents, FitGridWidthCoversTheColumnsPlusTheAllowance)
{
    loadCalibration({{1, 2}});
    const double tpp = dataGrid_->twipsPerPixel().x;
    EXPECT_NEAR(dataGrid_->width() * tpp, 255 + 300 + 750 + 750, tpp);
    calibrationPanel_->resize(100, calibrationPanel_->height());
    fitGridWidth(*dataGrid_);
    EXPECT_NEAR(dataGrid_->width() * tpp, 100 * tpp - 60, tpp);
}

// A calibration and three adjustment points, adjusted.
class AdjustedColumn : public GridFixture {
protected:
    void SetUp() override
    {
        GridFixture::SetUp();
        calibrate();
        loadAdjustment(kThree);
        correctionGrid_->RunAdjustment();
        before_ = adjustedTexts();
    }

    QStringList adjustedTexts() const
    {
        QStringList texts;
        for (int row = 1; row < correctionGrid_->rows(); ++row) texts << correctionGrid_->text(row, 3);
        return texts;
    }

    const Points kThree{{1, 223.02}, {2, 200}, {3, 180}};
    QStringList before_;
};

TEST_F(AdjustedColumn, SurvivesARefillOfTheRowsThatRemainAndARunWithoutPoints)
{
    ASSERT_EQ(before_[0], "223.00");
    loadAdjustment({{1, 50}});
    EXPECT_EQ(adjustedTexts(), QStringList{"223.00"});
    loadAdjustment({{1, 50}, {2, 60}});
    EXPECT_EQ(adjustedTexts(), (QStringList{"223.00", ""}));

    ws_.AdjCount = 0;
    EXPECT_EQ(correctionGrid_->RunAdjustment(), 0);
    EXPECT_EQ(correctionGrid_->text(1, 3), "223.00");
}

TEST_F(AdjustedColumn, AdjustmentStopsAtAFailingPoint)
{
    correctionGrid_->setText(2, 3, "old 2");
    correctionGrid_->setText(3, 3, "old 3");
    ws_.AdjEmf[2] = Number::fromDouble(std::numeric_limits<double>::infinity());
    EXPECT_EQ(correctionGrid_->RunAdjustment(), 2);
    EXPECT_EQ(adjustedTexts(), (QStringList{"223.00", "old 2", "old 3"}));

    // After an insertion no text may stay beside a point it does not belong to.
    correctionGrid_->setCurrentCell(3, 1);
    correctionGrid_->AdjustmentAdd();
    EXPECT_EQ(adjustedTexts(), (QStringList{"223.00", "", "", ""}));
}

TEST_F(AdjustedColumn, PointCommandsRerunTheAdjustmentKeepingEachTextBesideItsPoint)
{
    correctionGrid_->setCurrentCell(1, 1);
    correctionGrid_->AdjustmentAdd();
    const QStringList inserted = adjustedTexts();
    ASSERT_EQ(inserted.size(), 4);
    EXPECT_FALSE(inserted[1].isEmpty());
    EXPECT_EQ(inserted, (QStringList{before_[0], inserted[1], before_[1], before_[2]}));

    correctionGrid_->setCurrentCell(1, 1);
    correctionGrid_->AdjustmentDelete();
    EXPECT_EQ(adjustedTexts(), (QStringList{inserted[1], before_[1], before_[2]}));
}

TEST_F(AdjustedColumn, WithoutCalibrationPointCommandsClearTheColumn)
{
    calibrated_ = false;
    correctionGrid_->setCurrentCell(3, 1);
    correctionGrid_->AdjustmentAdd();
    EXPECT_EQ(adjustedTexts(), (QStringList{"", "", "", ""}));

    loadAdjustment(kThree);
    correctionGrid_->RunAdjustment();
    correctionGrid_->setCurrentCell(2, 1);
    correctionGrid_->AdjustmentDelete();
    EXPECT_EQ(adjustedTexts(), (QStringList{"", ""}));
}

}  // namespace
}  // namespace quorlin::test
