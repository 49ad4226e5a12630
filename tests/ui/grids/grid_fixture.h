#pragma once

#include "core/workspace.h"
#include "text/number_text.h"
#include "ui/grids/fake_grid_services.h"
#include "ui/grids/cell_edit_box.h"
#include "ui/grids/correction_grid.h"
#include "ui/grids/data_grid.h"

#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

namespace quorlin::test {

using Points = std::vector<std::pair<double, double>>;
using Cell = std::pair<int, int>;  // row, column

// Points as a data file gives them: double precision, slot 0 unused.
inline void loadPoints(std::int32_t& count, PointArray& volume, PointArray& emf, const Points& points)
{
    count = static_cast<std::int32_t>(points.size());
    reallocateFresh(volume, count);
    reallocateFresh(emf, count);
    for (std::size_t i = 0; i < points.size(); ++i) {
        volume[i + 1] = Number::fromDouble(points[i].first);
        emf[i + 1] = Number::fromDouble(points[i].second);
    }
}

inline std::vector<double> values(const PointArray& array, std::int32_t count)
{
    std::vector<double> result;
    for (std::int32_t i = 1; i <= count; ++i) result.push_back(array[static_cast<std::size_t>(i)].value());
    return result;
}

// Both panels with their grids in one shown, active window, as the main window has them.
class GridFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        window_ = std::make_unique<QWidget>();
        window_->resize(600, 700);
        calibrationPanel_ = new QWidget(window_.get());
        calibrationPanel_->setGeometry(0, 0, 300, 700);
        adjustmentPanel_ = new QWidget(window_.get());
        adjustmentPanel_->setGeometry(300, 0, 300, 700);
        dataGrid_ = new DataGrid(ws_, regional_, services_, calibrationPanel_);
        correctionGrid_ = new CorrectionGrid(ws_, regional_, services_, [this] { return calibrated_; },
                                             adjustmentPanel_);
        window_->show();
        window_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    }

    void loadCalibration(const Points& points)
    {
        loadPoints(ws_.CalCount, ws_.CalVolume, ws_.CalEmf, points);
        dataGrid_->FillDataGrid();
    }

    void loadAdjustment(const Points& points)
    {
        loadPoints(ws_.AdjCount, ws_.AdjVolume, ws_.AdjEmf, points);
        correctionGrid_->FillCorrectionGrid();
    }

    // Ezero 400 mV, Slope 59 mV/pH, j corr 20 mV·L/mol, as a calibration leaves them.
    void calibrate()
    {
        ws_.Params = {0.0f, 400.0f, 59.0f, 20.0f};
        calibrated_ = true;
    }

    static QPoint cellCentre(PointGrid& grid, int row, int col)
    {
        const QModelIndex index = grid.model()->index(row - 1, col - 1);
        grid.scrollTo(index);
        return grid.visualRect(index).center();
    }

    // A real double click: the first press makes the cell current.
    static void doubleClickCell(PointGrid& grid, int row, int col)
    {
        const QPoint centre = cellCentre(grid, row, col);
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, centre);
        QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, centre);
    }

    static Cell currentCell(const PointGrid& grid) { return {grid.row(), grid.col()}; }

    std::vector<double> calVolumes() const { return values(ws_.CalVolume, ws_.CalCount); }
    std::vector<double> adjVolumes() const { return values(ws_.AdjVolume, ws_.AdjCount); }

    Workspace ws_;
    RegionalSettings regional_;
    FakeGridServices services_;
    bool calibrated_ = false;
    std::unique_ptr<QWidget> window_;
    QWidget* calibrationPanel_ = nullptr;
    QWidget* adjustmentPanel_ = nullptr;
    DataGrid* dataGrid_ = nullptr;
    CorrectionGrid* correctionGrid_ = nullptr;
};

}  // namespace quorlin::test
