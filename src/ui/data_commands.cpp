// The file commands, the calibration and the adjustment of the main window.

#include "main_window.h"

#include "core/initial_values.h"
#include "file_command_dialogs.h"
#include "io/calibration_replay.h"
#include "io/data_directory.h"
#include "io/data_files.h"
#include "platform_services.h"
#include "tab_strip.h"
#include "ui/grids/adjustment_grid.h"
#include "ui/grids/calibration_grid.h"
#include "ui/grids/grid_contents.h"
#include "ui/grids/qt_text.h"

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

std::optional<QString> MainWindow::askForFile(FileCommand command)
{
    return platform_.chooseFile(fileCommandDialog(command, ws_.DataDir, captions_));
}

// A chosen file names its data set at once, and its folder becomes the one every later
// dialog offers, also after a restart.
std::optional<QString> MainWindow::chooseFileToLoad(FileCommand command)
{
    const std::optional<QString> path = askForFile(command);
    if (!path) return path;
    captions_.FileName[command == FileCommand::LoadCalibration ? 0 : 1] = path->toStdString();
    showCaptions();
    setDataDirectory(ws_, filePath(*path));
    saveDataDirectory(platform_.settings(), ws_.DataDir);
    return path;
}

// Every step after the dialog goes on whatever the step before it did: a file that
// cannot be read gives fewer points, never a message.
void MainWindow::loadCalibrationData()
{
    finishEdits();
    const std::optional<QString> path = chooseFileToLoad(FileCommand::LoadCalibration);
    if (!path) return;

    readCalibrationFile(ws_, filePath(*path));
    ui_.acidConcentration->setText(qStringOf(pointNumberText(ws_.AcidConc)));
    ui_.initialVolume->setText(qStringOf(pointNumberText(ws_.InitVolume)));

    ui_.calibrationGrid->fill();
    computeInitialValues(ws_, captions_, format_);
    showCaptions();
    fitCalibration(Caller::Load);
    redrawPlots();
}

void MainWindow::loadAdjustmentData()
{
    finishEdits();
    const std::optional<QString> path = chooseFileToLoad(FileCommand::LoadAdjustment);
    if (!path) return;

    readAdjustmentFile(ws_, filePath(*path));
    ui_.tabs->selectTab(1);
    ui_.adjustmentGrid->fill();
    if (captions_.Parameter[1] != Captions::kNone) adjustPoints(Caller::Load);
    ui_.tabs->show();
    updateCommandStates();
}

void MainWindow::saveCalibrationData()
{
    finishEdits();
    const std::optional<QString> path = askForFile(FileCommand::SaveCalibration);
    if (!path) return;
    captions_.FileName[0] = path->toStdString();
    showCaptions();

    const TextRecord constants{ui_.acidConcentration->text().toStdString(),
                               ui_.initialVolume->text().toStdString()};
    std::vector<TextRecord> points;
    for (int i = 1; i <= ws_.CalCount; ++i)
        points.push_back(
            {ui_.calibrationGrid->text(i, 1).toStdString(), ui_.calibrationGrid->text(i, 2).toStdString()});
    const FileOutcome outcome = writeCalibrationFile(filePath(*path), constants, points);
    if (!outcome.ok)
        platform_.showMessage(QStringLiteral("Could not save %1: %2").arg(*path, qStringOf(outcome.reason)));
}

void MainWindow::saveAdjustedData()
{
    finishEdits();
    const std::optional<QString> path = askForFile(FileCommand::SaveAdjusted);
    if (!path) return;
    captions_.FileName[1] = path->toStdString();
    showCaptions();

    std::vector<TextRecord> points;
    for (int i = 1; i <= ws_.AdjCount; ++i)
        points.push_back({ui_.adjustmentGrid->text(i, 1).toStdString(),
                          ui_.adjustmentGrid->text(i, kAdjustedColumn).toStdString()});
    const FileOutcome outcome = writeAdjustedFile(filePath(*path), points);
    if (!outcome.ok)
        platform_.showMessage(QStringLiteral("Could not save %1: %2").arg(*path, qStringOf(outcome.reason)));
}

void MainWindow::addCalibrationPoint()
{
    ui_.calibrationGrid->addPoint();
}

void MainWindow::deleteCalibrationPoint()
{
    ui_.calibrationGrid->deletePoint();
}

void MainWindow::addAdjustmentPoint()
{
    ui_.adjustmentGrid->addPoint();
}

void MainWindow::deleteAdjustmentPoint()
{
    ui_.adjustmentGrid->deletePoint();
}

void MainWindow::calibrate()
{
    finishEdits();
    fitCalibration(Caller::User);
}

void MainWindow::fitCalibration(Caller caller)
{
    if (ws_.CalCount < 6) {
        platform_.beep();
        return;
    }
    // Points typed without a file are saved before they are calibrated.
    if (captions_.FileName[0] == Captions::kNone) {
        saveCalibrationData();
        if (captions_.FileName[0] == Captions::kNone) return;
    }
    for (QLineEdit* box : {ui_.acidConcentration, ui_.initialVolume}) {
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
    redrawPlots();
    updateCommandStates();
}

void MainWindow::adjustData()
{
    finishEdits();
    adjustPoints(Caller::User);
}

void MainWindow::adjustPoints(Caller caller)
{
    const std::int32_t failed = ui_.adjustmentGrid->adjust();
    if (failed != 0 && caller == Caller::User)
        platform_.showMessage(QStringLiteral("Point %1: no pH can be found for this emf").arg(failed));
}

}  // namespace quorlin
