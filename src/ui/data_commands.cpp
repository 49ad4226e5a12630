// The file commands, the calibration and the adjustment of the main window.

#include "main_window.h"

#include "core/initial_values.h"
#include "file_command_dialogs.h"
#include "io/calibration_replay.h"
#include "io/data_directory.h"
#include "io/data_files.h"
#include "platform_services.h"
#include "qt_text.h"
#include "tab_strip.h"
#include "ui/grids/correction_grid.h"
#include "ui/grids/data_grid.h"
#include "ui/grids/grid_contents.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>

namespace quorlin {

namespace {

std::string filePath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

}  // namespace

std::optional<QString> MainWindow::askForFile(int index)
{
    return platform_.chooseFile(fileCommandDialog(index, ws_.DataDir, captions_));
}

// A chosen file names its data set at once, and its folder becomes the one every later
// dialog offers, also after a restart.
std::optional<QString> MainWindow::chooseFileToLoad(int index)
{
    const std::optional<QString> path = askForFile(index);
    if (!path) return path;
    captions_.FileName[static_cast<std::size_t>(index)] = path->toStdString();
    showCaptions();
    setDataDirectory(ws_, filePath(*path));
    saveDataDirectory(platform_.settings(), ws_.DataDir);
    return path;
}

void MainWindow::Choose_Click(int index)
{
    // A value still being typed belongs to the points before they are loaded or saved.
    finishEdits();
    switch (index) {
    case 0: loadCalibrationData(); break;
    case 1: loadDataForAdjustment(); break;
    case 2: saveCalibrationData(); break;
    case 3: saveAdjustedData(); break;
    default: break;
    }
}

// Every step after the dialog goes on whatever the step before it did: a file that
// cannot be read gives fewer points, never a message.
void MainWindow::loadCalibrationData()
{
    const std::optional<QString> path = chooseFileToLoad(0);
    if (!path) return;

    readCalibrationFile(ws_, filePath(*path));
    ui_.Box[0]->setText(qStringOf(pointNumberText(ws_.AcidConc)));
    ui_.Box[1]->setText(qStringOf(pointNumberText(ws_.InitVolume)));

    ui_.DataGrid->FillDataGrid();
    computeInitialValues(ws_, captions_, format_);
    showCaptions();
    calibrate(Caller::Load);
    PlotData();
}

void MainWindow::loadDataForAdjustment()
{
    const std::optional<QString> path = chooseFileToLoad(1);
    if (!path) return;

    readAdjustmentFile(ws_, filePath(*path));
    ui_.DataTab->selectTab(1);
    ui_.CorrectionGrid->FillCorrectionGrid();
    if (captions_.Parameter[1] != Captions::kNone) adjust(Caller::Load);
    ui_.DataTab->show();
    SetVisible();
}

void MainWindow::saveCalibrationData()
{
    const std::optional<QString> path = askForFile(2);
    if (!path) return;
    captions_.FileName[0] = path->toStdString();
    showCaptions();

    const TextRecord constants{ui_.Box[0]->text().toStdString(), ui_.Box[1]->text().toStdString()};
    std::vector<TextRecord> points;
    for (int i = 1; i <= ws_.CalCount; ++i)
        points.push_back({ui_.DataGrid->text(i, 1).toStdString(), ui_.DataGrid->text(i, 2).toStdString()});
    const FileOutcome outcome = writeCalibrationFile(filePath(*path), constants, points);
    if (!outcome.ok)
        platform_.showMessage(QStringLiteral("Could not save %1: %2").arg(*path, qStringOf(outcome.reason)));
}

void MainWindow::saveAdjustedData()
{
    const std::optional<QString> path = askForFile(3);
    if (!path) return;
    captions_.FileName[1] = path->toStdString();
    showCaptions();

    std::vector<TextRecord> points;
    for (int i = 1; i <= ws_.AdjCount; ++i)
        points.push_back({ui_.CorrectionGrid->text(i, 1).toStdString(),
                          ui_.CorrectionGrid->text(i, kAdjustedColumn).toStdString()});
    const FileOutcome outcome = writeAdjustedFile(filePath(*path), points);
    if (!outcome.ok)
        platform_.showMessage(QStringLiteral("Could not save %1: %2").arg(*path, qStringOf(outcome.reason)));
}

void MainWindow::Calibrate_Click()
{
    finishEdits();
    calibrate(Caller::User);
}

void MainWindow::calibrate(Caller caller)
{
    if (ws_.CalCount < 6) {
        platform_.beep();
        return;
    }
    if (captions_.FileName[0] == Captions::kNone) {
        saveCalibrationData();
        if (captions_.FileName[0] == Captions::kNone) return;
    }
    for (QLineEdit* box : ui_.Box) {
        if (box->text().trimmed().isEmpty()) {
            platform_.beep();
            box->setFocus();
            return;
        }
    }

    const CalibrationResult result = RunCalibration(ws_, captions_, format_.regional());
    showCaptions();
    for (int i = 0; i < result.outOfRangeStarts; ++i) platform_.showMessage(qStringOf(kInvalidEntryMessage));
    switch (result.outcome) {
    case CalibrationOutcome::ModelError:
        if (caller == Caller::User) platform_.showMessage(qStringOf(calibrationMessage(result)));
        return;
    case CalibrationOutcome::FactorizationFailed:
    case CalibrationOutcome::StepLimit: platform_.showMessage(qStringOf(calibrationMessage(result))); return;
    case CalibrationOutcome::Converged: break;
    }
    PlotData();
    SetVisible();
}

void MainWindow::Correct_Click()
{
    finishEdits();
    adjust(Caller::User);
}

void MainWindow::adjust(Caller caller)
{
    const std::int32_t failed = ui_.CorrectionGrid->RunAdjustment();
    if (failed != 0 && caller == Caller::User)
        platform_.showMessage(QStringLiteral("Point %1: no pH can be found for this emf").arg(failed));
}

}  // namespace quorlin
