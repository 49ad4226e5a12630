#include "window_fixture.h"

#include "wording/report.h"

#include "ui/graph_widget.h"
#include "ui/grids/grid_contents.h"

#include <QClipboard>
#include <QImage>

namespace quorlin::testing {
namespace {

// The sample files shipped with the program, through every command a first session uses.
TEST_F(WindowTest, SampleDataCalibrateAdjustSaveAndReload)
{
    load(QStringLiteral(QUORLIN_SAMPLE_DATA "/calibration.txt"));
    EXPECT_EQ((QStringList{ui().ezero->text(), ui().slope->text(), ui().jCorrection->text(), ui().rmsError->text()}),
              (QStringList{"405.1±0.3", "59.13±0.10", "58.8±3", "Rms error = 0.1129"}));
    EXPECT_TRUE(ui().calibrationPanel->isVisible());
    QImage blank = ui().graph->surface().image();
    blank.fill(blank.pixel(0, 0));
    EXPECT_NE(ui().graph->surface().image(), blank);  // something was drawn

    typeOver(*ui().calibrationGrid, 1, 2, "227.9");
    QTest::keyClick(&ui().calibrationGrid->editBox(), Qt::Key_Return);
    window->commands().calibrate->trigger();
    EXPECT_EQ(cal().emf[1], Number::fromSingle(227.9f));
    EXPECT_NE(ui().ezero->text(), "405.1±0.3");

    load(QStringLiteral(QUORLIN_SAMPLE_DATA "/adjustment.txt"), &MainWindow::loadAdjustmentData);
    EXPECT_TRUE(window->commands().adjustData->isEnabled());
    AdjustmentGrid& grid = *ui().adjustmentGrid;
    const QString adjustedOnLoad = grid.text(1, kAdjustedColumn);
    window->commands().adjustData->trigger();
    ASSERT_FALSE(adjustedOnLoad.isEmpty());
    EXPECT_EQ(grid.text(1, kAdjustedColumn), adjustedOnLoad);
    typeOver(grid, 1, 2, "250");
    QTest::keyClick(&grid.editBox(), Qt::Key_Return);
    EXPECT_NE(grid.text(1, kAdjustedColumn), adjustedOnLoad);  // follows the typed emf

    // Saved and loaded again, the adjusted values are the points.
    const auto points = [&grid](int emfColumn) {
        QStringList texts;
        for (int r = 1; r < grid.rows(); ++r) texts << grid.text(r, 1) + ' ' + grid.text(r, emfColumn).trimmed();
        return texts;
    };
    const QStringList saved = points(kAdjustedColumn);
    platform.files.push_back(path("adjusted.txt"));
    window->commands().saveAdjustedData->trigger();
    load(path("adjusted.txt"), &MainWindow::loadAdjustmentData);
    EXPECT_EQ(points(2), saved);
    EXPECT_TRUE(platform.messages.isEmpty());
    EXPECT_EQ(platform.beeps, 0);
}

// Points typed by hand have no file: calibrating asks for one first, then needs both
// constants.
TEST_F(WindowTest, CalibratingTypedPointsAsksForAFileFirst)
{
    EXPECT_FALSE(window->commands().calibrate->isEnabled());
    for (int i = 0; i < 6; ++i) window->addCalibrationPoint();
    EXPECT_TRUE(window->commands().calibrate->isEnabled());
    EXPECT_FALSE(window->commands().saveCalibrationData->isEnabled());

    window->calibrate();  // cancelled: nothing changes
    ASSERT_EQ(platform.dialogs.size(), 1u);
    EXPECT_EQ(platform.dialogs[0].kind, FileDialogRequest::Kind::Save);
    EXPECT_EQ(ui().calibrationFileName->text(), "?");
    EXPECT_EQ(platform.beeps, 0);

    platform.files.push_back(path("typed.txt"));
    window->calibrate();
    EXPECT_EQ(ui().calibrationFileName->text(), path("typed.txt"));
    EXPECT_EQ(ReadBytes(folder.path() / "typed.txt").substr(0, 3), "\t\r\n");
    EXPECT_EQ(platform.beeps, 1);
    EXPECT_EQ(window->focusWidget(), ui().acidConcentration);
    EXPECT_EQ(ui().ezero->text(), "?");
}

// The first fit of typed points, saved on the way, draws the plot at once, on the
// window's background.
TEST_F(WindowTest, FirstFitOfTypedPointsDrawsThePlot)
{
    for (int row = 1; row <= 8; ++row) {
        window->addCalibrationPoint();
        const double volume = row * row * 0.5, emf = ElectrodeModel{}.emf(volume) + (row % 3 - 1) * 0.1;
        for (int col = 1; col <= 2; ++col)
            typeOver(*ui().calibrationGrid, row, col, QString::number(col == 1 ? volume : emf) + '\r');
    }
    QTest::keyClicks(ui().acidConcentration, "0.1");
    QTest::keyClicks(ui().initialVolume, "50");
    const QImage blank = ui().graph->surface().image();
    EXPECT_EQ(blank.pixel(0, 0), ui().graph->palette().color(QPalette::Window).rgb());
    platform.files.push_back(path("typed.txt"));
    window->calibrate();
    EXPECT_NE(ui().graph->surface().image(), blank);
}

// Closing asks about each data set changed since its load or save; a save cancelled or
// failed keeps the window open.
TEST_F(WindowTest, ClosingAsksToSaveChangedData)
{
    load(QStringLiteral(QUORLIN_SAMPLE_DATA "/calibration.txt"));
    load(QStringLiteral(QUORLIN_SAMPLE_DATA "/adjustment.txt"), &MainWindow::loadAdjustmentData);
    EXPECT_TRUE(window->close());
    window->show();
    QTest::keyClicks(ui().acidConcentration, "5");
    window->addAdjustmentPoint();
    using enum FakePlatform::SaveChoice;
    platform.saveChoices = {Cancel, Save, Save, Save, Discard};
    platform.files = {path("missing/a.txt"), path("a.txt")};
    EXPECT_FALSE(window->close());
    EXPECT_FALSE(window->close());  // no folder: the save fails
    EXPECT_FALSE(window->close());  // saved; the readings' dialog is cancelled
    EXPECT_TRUE(window->close());
    const QString adjustment = "Save changes to adjustment data?";
    EXPECT_EQ(platform.questions, QStringList(3, "Save changes to calibration data?") << adjustment << adjustment);
}

// Only data that differ from their file are asked about, before a load replaces them too;
// adjusted data go to a file of their own, and readings are saved as readings.
TEST_F(WindowTest, UnsavedDataAreAskedAboutBeforeALoadAndAdjustedDataGetTheirOwnFile)
{
    const QString calibration = QStringLiteral(QUORLIN_SAMPLE_DATA "/calibration.txt");
    const QString readings = QString::fromStdString(folder.write("run.txt", "1,250\r\n2,260\r\n"));
    load(calibration);
    load(readings, &MainWindow::loadAdjustmentData);
    const auto edit = [&] {
        typeOver(*ui().calibrationGrid, 1, 2, "230");
        ui().calibrationGrid->finishEdit();
    };
    edit();
    window->commands().undo->trigger();
    using enum FakePlatform::SaveChoice;
    platform.saveChoices = {Cancel, Discard};
    load(calibration);  // nothing to ask: undone back to the file
    edit();
    load(calibration);  // cancelled: the edit stays
    EXPECT_EQ(cal().emf[1], Number::fromSingle(230.0f));
    load(calibration);
    EXPECT_EQ(cal().emf[1], Number::fromDouble(227.56));
    EXPECT_EQ(platform.questions, QStringList(2, "Save changes to calibration data?"));

    platform.files = {path("run.txt")};
    platform.answers = {false};
    window->saveAdjustedData();  // over the readings only when the user says so
    EXPECT_EQ(platform.dialogs.back().initialFileName, path("run-adjusted.txt"));
    EXPECT_EQ(testing::ReadBytes(readings.toStdString()), "1,250\r\n2,260\r\n");
    platform.files = {path("out.txt"), path("readings.txt")};
    window->saveAdjustedData();
    const std::string report = calibrationReportHtml(window->session(), {});
    EXPECT_NE(report.find("Data file</th><td class=\"l\">" + readings.toStdString()), std::string::npos);
    EXPECT_NE(report.find("Adjusted data saved to</th><td class=\"l\">" + path("out.txt").toStdString()),
              std::string::npos);
    window->saveAdjustmentReadings();
    EXPECT_EQ(platform.dialogs.back().initialFileName, readings);
    EXPECT_EQ(ui().adjustmentFileName->text(), path("readings.txt"));
    EXPECT_EQ(testing::ReadBytes(path("readings.txt").toStdString()), " 1\t 250\r\n 2\t 260\r\n");
    EXPECT_FALSE(window->session().adjustment().unsaved());
}

// The box is read on every key released but checked only when left, once per text.
TEST_F(WindowTest, AConstantThatIsNoNumberIsReportedOnceWhenTheBoxIsLeft)
{
    QLineEdit* acid = ui().acidConcentration;
    const auto leave = [&] {
        acid->setFocus(Qt::TabFocusReason);
        ui().initialVolume->setFocus(Qt::TabFocusReason);
    };
    acid->setFocus();
    QTest::keyClicks(acid, "1e39");
    EXPECT_TRUE(platform.messages.isEmpty());
    EXPECT_TRUE(cal().acidConcentration.isEmpty());
    leave();
    leave();
    EXPECT_EQ(platform.messages, QStringList{"Acid concentration: invalid entry for number"});
    QTest::keyClick(acid, Qt::Key_Backspace);
    QTest::keyClicks(acid, "0.1 M");
    leave();
    EXPECT_EQ(platform.messages.size(), 2);
}

// Text pasted with the mouse releases no key; the fit and a save still use it.
TEST_F(WindowTest, PastedConstantReachesTheDataAndTheFile)
{
    load(QStringLiteral(QUORLIN_SAMPLE_DATA "/calibration.txt"));
    QApplication::clipboard()->setText("0.25");
    ui().acidConcentration->selectAll();
    ui().acidConcentration->paste();
    EXPECT_EQ(cal().acidConcentration, Number::fromSingle(0.25f));
    platform.files.push_back(path("pasted.txt"));
    window->saveCalibrationData();
    EXPECT_EQ(ReadBytes(folder.path() / "pasted.txt").substr(0, 5), "0.25\t");
}

}  // namespace
}  // namespace quorlin::testing
