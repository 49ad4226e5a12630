#include "window_fixture.h"

#include "ui/grids/grid_contents.h"

#include "ui/grids/qt_text.h"

#include <QApplication>
#include <QHeaderView>
#include <QStatusBar>

#include <sys/stat.h>

namespace quorlin::testing {
namespace {

QString modelFile(const TempFolder& folder, int points)
{
    return QString::fromStdString(folder.write("model.txt", CalibrationFileText({}, points)));
}

TEST_F(WindowTest, LoadsThatFailOrEndEarlySayWhy)
{
    load(modelFile(folder, 15));
    const QString name = ui().calibrationFileName->text();
    load(path("missing.txt"));
    // A pipe nobody writes to is refused at once rather than waited on.
    ASSERT_EQ(::mkfifo(path("pipe").toLocal8Bit().constData(), 0600), 0);
    load(path("pipe"));
    EXPECT_EQ(platform.messages, (QStringList{"Could not read " + path("missing.txt") + ": No such file or directory",
                                              "Could not read " + path("pipe") + ": not a regular file"}));
    EXPECT_EQ(std::pair(ui().calibrationFileName->text(), cal().count), std::pair(name, 15));
    const QString early = QString::fromStdString(folder.write("early.txt", "0.1\t50\r\n1,240\r\nabc\r\n"));
    load(early);
    const QString note = early + ": data end at line 3 (not two numbers); 1 point read";
    EXPECT_EQ(std::pair(window->statusBar()->currentMessage(), ui().calibrationDataEnd->text()), std::pair(note, note));
}

// Until there are data the window says where to start, and a file dropped there is
// calibration data. A save says where it went.
TEST_F(WindowTest, StartHintTakesADropAndASaveSaysWhereItWent)
{
    QTest::keyClick(window.get(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(platform.dialogs.back().title, "Choose calibration data");
    drop(ui().startHint, QStringLiteral(QUORLIN_SAMPLE_DATA "/calibration.txt"));
    EXPECT_EQ(ui().calibrationFileName->text(), QStringLiteral(QUORLIN_SAMPLE_DATA "/calibration.txt"));
    EXPECT_FALSE(ui().startHint->isVisible());
    load(path("saved.txt"), &MainWindow::saveCalibrationData);
    EXPECT_EQ(window->statusBar()->currentMessage(), "Calibration data saved to " + path("saved.txt"));
}

// Three-digit row numbers get the room they need; an added point takes what is typed next.
TEST_F(WindowTest, LongTablesShowWholeRowNumbersAndAddedPointsTakeTheKeys)
{
    load(modelFile(folder, 150));
    const QHeaderView& numbers = *ui().calibrationGrid->verticalHeader();
    EXPECT_GT(numbers.maximumWidth(), numbers.fontMetrics().horizontalAdvance("150"));
    ui().acidConcentration->setFocus();
    window->addCalibrationPoint();
    for (const char* keys : {"7", ".5"}) QTest::keyClicks(QApplication::focusWidget(), keys);
    ui().calibrationGrid->finishEdit();
    EXPECT_EQ(cal().volume[2], Number::fromSingle(7.5f));
    EXPECT_EQ(ui().acidConcentration->text(), qStringOf(window->session().calibration().constantTexts()[0]));
}

// Starting values would pass for results, and a refill leaves no row another point's value.
TEST_F(WindowTest, AdjustedValuesComeOnlyFromAConvergedCalibration)
{
    load(modelFile(folder, 5));
    EXPECT_TRUE(ui().calibrationPanel->isVisible());  // too few to fit, shown to be mended
    load(QStringLiteral(QUORLIN_SAMPLE_DATA "/adjustment.txt"), &MainWindow::loadAdjustmentData);
    EXPECT_TRUE(ui().adjustmentGrid->text(1, kAdjustedColumn).isEmpty());
    // Both say why they cannot run.
    window->saveAdjustedData();
    window->adjustData();
    const QString why = "No calibration is in force (5 points, at least 6 needed): calibrate first.";
    EXPECT_EQ(platform.messages, (QStringList{why, why}));

    load(QStringLiteral(QUORLIN_SAMPLE_DATA "/calibration.txt"));
    load(QStringLiteral(QUORLIN_SAMPLE_DATA "/adjustment.txt"), &MainWindow::loadAdjustmentData);
    EXPECT_TRUE(window->commands().saveAdjustedData->isEnabled());
    // The second point's inversion overflows: the rows from it on stay empty.
    load(QString::fromStdString(folder.write("second.txt", "1,250\r\n2,1e308\r\n3,260\r\n")),
         &MainWindow::loadAdjustmentData);
    const AdjustmentGrid& grid = *ui().adjustmentGrid;
    EXPECT_EQ((QStringList{grid.text(1, 3).isEmpty() ? "" : "1", grid.text(2, 3), grid.text(3, 3)}),
              (QStringList{"1", "", ""}));
}

TEST_F(WindowTest, SavingARecordThatWouldEndTheDataAsksAndDefaultsToNotSaving)
{
    load(modelFile(folder, 15));
    window->addCalibrationPoint();
    platform.answers.push_back(false);
    platform.files.push_back(path("saved.txt"));
    window->saveCalibrationData();
    ASSERT_EQ(platform.questions.size(), 1);
    EXPECT_TRUE(platform.questions[0].endsWith("(0, 0) would end the data when the file is read again. Save anyway?"));
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "saved.txt"));
}

}  // namespace
}  // namespace quorlin::testing
