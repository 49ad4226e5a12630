#include "window_fixture.h"

#include "ui/fit_details_dialog.h"
#include "ui/grids/grid_contents.h"

#include <QFont>

namespace quorlin::testing {
namespace {

TEST_F(WindowTest, CtrlEMarksThePointTheFitLeavesOutFitDetailsAndTooltipsShowTheStatistics)
{
    std::string text = CalibrationFileText({}, 15);
    std::size_t line = 0;
    for (int i = 0; i < 3; ++i) line = text.find("\r\n", line) + 2;
    const std::size_t tab = text.find('\t', line);  // the third point's emf goes 2 mV off
    text.replace(tab + 1, 8, FileNumber(std::stod(text.substr(tab + 1)) + 2));
    load(QString::fromStdString(folder.write("cal.txt", text)));
    const auto role = [this](int row, int role) { return ui().calibrationGrid->model()->index(row - 1, 0).data(role); };
    EXPECT_TRUE(role(3, Qt::BackgroundRole).isValid());  // outlier candidate
    EXPECT_TRUE(role(3, Qt::ToolTipRole).toString().contains(QStringLiteral("Bonferroni-adjusted p = ")));
    EXPECT_FALSE(role(4, Qt::BackgroundRole).isValid());
    ui().calibrationGrid->setCurrentCell(3, 1);
    ui().calibrationGrid->setFocus();
    QTest::keyClick(ui().calibrationGrid, Qt::Key_E, Qt::ControlModifier);
    EXPECT_EQ(window->session().calibration().exclusions().points(), std::vector<std::int32_t>{3});
    EXPECT_TRUE(role(3, Qt::FontRole).value<QFont>().strikeOut());
    EXPECT_FALSE(role(4, Qt::FontRole).isValid());
    EXPECT_TRUE(window->session().calibration().outOfDate());

    window->calibrate();
    EXPECT_EQ(window->session().calibration().record()->fittedData().count, 14);
    EXPECT_FALSE(window->session().calibration().outOfDate());
    ui().calibrationGrid->setCurrentCell(1, 1);
    window->addCalibrationPoint();  // the exclusion moves with its point
    EXPECT_EQ(window->session().calibration().exclusions().points(), std::vector<std::int32_t>{4});
    window->commands().undo->trigger();  // and back with it
    EXPECT_EQ(window->session().calibration().exclusions().points(), std::vector<std::int32_t>{3});
    window->commands().undo->trigger();
    EXPECT_TRUE(window->session().calibration().exclusions().empty());
    EXPECT_FALSE(role(3, Qt::FontRole).isValid());
    window->commands().redo->trigger();
    EXPECT_EQ(window->session().calibration().exclusions().points(), std::vector<std::int32_t>{3});

    window->commands().fitDetails->trigger();
    const auto* dialog = window->findChild<FitDetailsDialog*>();
    ASSERT_TRUE(dialog && dialog->isVisible());
    for (const QString& part : {QStringLiteral("14 points fitted"), QStringLiteral("Left out: 3."),
                                QStringLiteral("Outlier candidates (externally studentised residual, "
                                               "Bonferroni-adjusted p &lt; 0.05): none."),
                                QStringLiteral("Runs test on the residual signs (two-sided): ")})
        EXPECT_TRUE(dialog->detailsText().contains(part)) << part.toStdString();

    // The adjusted column's tooltip gives the calibration's uncertainty of each value.
    load(QStringLiteral(QUORLIN_SAMPLE_DATA "/adjustment.txt"), &MainWindow::loadAdjustmentData);
    const QString tip = ui().adjustmentGrid->model()->index(0, kAdjustedColumn - 1).data(Qt::ToolTipRole).toString();
    const double sigma = window->session().adjustedSigma(1).calibration;
    EXPECT_TRUE(sigma > 0 && tip.contains(QString::number(sigma, 'g', 3))) << tip.toStdString();
    // The first reading lies below the calibrated emf: its cell alone is shaded and says why.
    EXPECT_TRUE(tip.startsWith(QStringLiteral("Outside the calibrated emf range\n"))) << tip.toStdString();
    for (const int row : {0, 1})
        EXPECT_EQ(ui().adjustmentGrid->model()->index(row, kAdjustedColumn - 1).data(Qt::BackgroundRole).isValid(),
                  row == 0);
}

}  // namespace
}  // namespace quorlin::testing
