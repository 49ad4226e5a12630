// The file commands, the calibration and the adjustment of the main window.

#include "main_window.h"

#include "file_command_dialogs.h"
#include "io/data_directory.h"
#include "platform_services.h"
#include "tab_strip.h"
#include "ui/grids/adjustment_grid.h"
#include "ui/grids/calibration_grid.h"
#include "ui/grids/grid_contents.h"
#include "ui/grids/qt_text.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QStatusBar>

namespace quorlin {

namespace {

std::string filePath(const QString& path) { return QFile::encodeName(path).toStdString(); }

// The texts of columns 1 and `second` of every point, as the grid shows them.
std::vector<TextRecord> gridRecords(const PointGrid& grid, std::int32_t count, int second)
{
    std::vector<TextRecord> records;
    records.reserve(static_cast<std::size_t>(std::max(count, 0)));
    for (int i = 1; i <= count; ++i)
        records.push_back({grid.text(i, 1).toStdString(), grid.text(i, second).toStdString()});
    return records;
}

}  // namespace

std::optional<QString> MainWindow::askForFile(FileCommand command)
{
    FileDialogRequest request = fileCommandDialog(command, session_.dataDirectory(), session_.captions());
    return platform_.chooseFile(request);
}

// A file read names its data set, and its folder becomes the one every later dialog
// offers, also after a restart. A file that cannot be read changes nothing. Data that
// end early are noted in the status line, which keeps loading free of message boxes.
// Edits made before the load are no longer there to be undone.
bool MainWindow::readDataFile(const QString& path, std::size_t set)
{
    const FileOutcome outcome =
        set == 0 ? session_.loadCalibrationFile(filePath(path)) : session_.loadAdjustmentFile(filePath(path));
    if (!outcome.ok) {
        platform_.showMessage(tr("Could not read %1: %2").arg(path, qStringOf(outcome.reason)));
        return false;
    }
    saveDataDirectory(platform_.settings(), session_.dataDirectory());
    recentFiles_.at(set).add(path);
    undoStack_.clear();
    const PointSet& points = set == 0 ? static_cast<const PointSet&>(session_.calibration()) : session_.adjustment();
    const std::string note = dataEndNote(path.toStdString(), outcome, points.count);
    if (!note.empty() || findChild<QStatusBar*>()) statusBar()->showMessage(qStringOf(note));
    return true;
}

// A file that would not read back as the points shown is written only when the user
// insists.
bool MainWindow::mayWrite(const std::string& problem)
{
    return problem.empty() || platform_.askBeforeRisk(tr("%1. Save anyway?").arg(qStringOf(problem)));
}

void MainWindow::loadCalibrationData()
{
    finishEdits();
    if (const std::optional<QString> path = askForFile(FileCommand::LoadCalibration)) openCalibrationFile(*path);
}

bool MainWindow::openCalibrationFile(const QString& path)
{
    finishEdits();
    if (!readDataFile(path, 0)) return false;

    changed_[0] = false;
    ui_.acidConcentration->setText(qStringOf(session_.constantTexts()[0]));
    ui_.initialVolume->setText(qStringOf(session_.constantTexts()[1]));
    ui_.calibrationGrid->fill();
    // Without a current row, Delete point would take point 1 without showing it.
    ui_.calibrationGrid->setCurrentCell(1, PointGrid::fixedCols());
    showCaptions();
    fitCalibration(Caller::Load);
    // Points that are too few or fail to fit are shown all the same, to be mended.
    updateCommandStates();
    redrawPlots();
    return true;
}

void MainWindow::loadAdjustmentData()
{
    finishEdits();
    if (const std::optional<QString> path = askForFile(FileCommand::LoadAdjustment)) openAdjustmentFile(*path);
}

bool MainWindow::openAdjustmentFile(const QString& path)
{
    finishEdits();
    if (!actions_.loadAdjustmentData->isEnabled()) {
        platform_.showMessage(tr("Load data for calibration first."));
        return false;
    }
    if (!readDataFile(path, 1)) return false;
    changed_[1] = false;
    showCaptions();
    ui_.tabs->selectTab(1);
    ui_.adjustmentGrid->fill();
    ui_.adjustmentGrid->setCurrentCell(1, PointGrid::fixedCols());
    if (session_.canAdjust()) adjustPoints(Caller::Load);
    ui_.tabs->show();
    updateCommandStates();
    return true;
}

void MainWindow::saveCalibrationData()
{
    finishEdits();
    const std::optional<QString> path = askForFile(FileCommand::SaveCalibration);
    if (!path) return;
    const std::vector<TextRecord> points = gridRecords(*ui_.calibrationGrid, session_.calibration().count, 2);
    if (!mayWrite(session_.calibrationRecordEndingData(points))) return;
    const FileOutcome outcome = session_.saveCalibrationFile(filePath(*path), points);
    showCaptions();
    if (saved(*path, outcome)) changed_[0] = false;
}

void MainWindow::saveAdjustedData()
{
    finishEdits();
    const std::optional<QString> path = askForFile(FileCommand::SaveAdjusted);
    if (!path) return;
    const std::vector<TextRecord> points =
        gridRecords(*ui_.adjustmentGrid, session_.adjustment().count, kAdjustedColumn);
    if (!mayWrite(pointEndingData(points))) return;
    const FileOutcome outcome = session_.saveAdjustedFile(filePath(*path), points);
    showCaptions();
    if (saved(*path, outcome)) changed_[1] = false;
}

// A save that failed says why; the data set and its file stay as they were.
bool MainWindow::saved(const QString& path, const FileOutcome& outcome)
{
    if (!outcome.ok) platform_.showMessage(tr("Could not save %1: %2").arg(path, qStringOf(outcome.reason)));
    return outcome.ok;
}

void MainWindow::addCalibrationPoint() { ui_.calibrationGrid->addPoint(); }

void MainWindow::deleteCalibrationPoint() { ui_.calibrationGrid->deletePoint(); }

void MainWindow::addAdjustmentPoint() { ui_.adjustmentGrid->addPoint(); }

void MainWindow::deleteAdjustmentPoint() { ui_.adjustmentGrid->deletePoint(); }

void MainWindow::calibrate()
{
    finishEdits();
    fitCalibration(Caller::User);
}

void MainWindow::fitCalibration(Caller caller)
{
    // The outlier marks read the statistics straight after.
    const CalibrationExtras extras{.statistics = true};
    CalibrationReport report = session_.calibrate(extras);
    // Points typed without a file are saved before they are calibrated.
    if (report.outcome == CalibrationOutcome::NoFile) {
        saveCalibrationData();
        if (session_.captions().fileName[0] == Captions::kNone) return;
        report = session_.calibrate(extras);
    }
    switch (report.outcome) {
    case CalibrationOutcome::TooFewPoints: platform_.beep(); return;
    case CalibrationOutcome::MissingConstant:
        platform_.beep();
        (report.missingConstant == 0 ? ui_.acidConcentration : ui_.initialVolume)->setFocus();
        return;
    default: break;
    }

    showCaptions();
    for (int i = 0; i < report.outOfRangeStarts; ++i) platform_.showMessage(qStringOf(kInvalidEntryMessage));
    if (report.outcome == CalibrationOutcome::ModelError && caller == Caller::Load) return;
    if (!report.converged()) {
        platform_.showMessage(qStringOf(calibrationMessage(report)));
        return;
    }
    // The plot draws only once the command states show calibration data.
    updateCommandStates();
    redrawPlots();
    showFitStatistics();
}

void MainWindow::adjustData()
{
    finishEdits();
    if (!session_.canAdjust()) {
        platform_.showMessage(tr("No calibration has converged yet: calibrate first."));
        return;
    }
    adjustPoints(Caller::User);
}

void MainWindow::adjustPoints(Caller caller)
{
    const std::int32_t failed = ui_.adjustmentGrid->adjust();
    if (failed != 0 && caller == Caller::User)
        platform_.showMessage(tr("Point %1: no pH can be found for this emf").arg(failed));
}

}  // namespace quorlin
