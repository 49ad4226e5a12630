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
#include "wording/messages.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QStatusBar>

namespace quorlin {

namespace {

std::string filePath(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace

std::optional<QString> MainWindow::askForFile(FileCommand command)
{
    FileDialogRequest request = fileCommandDialog(command, session_);
    return platform_.chooseFile(request);
}

// A file read names its data set, and its folder becomes the one every later dialog
// offers, also after a restart. A file that cannot be read changes nothing. Data that
// end early are noted in the status line, which keeps loading free of message boxes.
// Edits made before the load are no longer there to be undone.
bool MainWindow::readDataFile(const QString& path, std::size_t set)
{
    // A pipe or a device would hold the window until something writes to it.
    if (const QFileInfo file(path); file.exists() && !file.isFile()) {
        platform_.showMessage(tr("Could not read %1: %2").arg(path, qStringOf(notRegularFileText())));
        return false;
    }
    const FileOutcome outcome =
        set == 0 ? session_.loadCalibrationFile(filePath(path)) : session_.loadAdjustmentFile(filePath(path));
    if (!outcome.ok) {
        platform_.showMessage(tr("Could not read %1: %2").arg(path, qStringOf(fileErrorText(outcome))));
        return false;
    }
    saveDataDirectory(platform_.settings(), session_.dataDirectory());
    recentFiles_.at(set).add(path);
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
    if (!saveOrDiscard(0) || !readDataFile(path, 0)) return false;
    ui_.calibrationGrid->fill();
    // Without a current row, Delete point would take point 1 without showing it.
    ui_.calibrationGrid->setCurrentCell(1, PointGrid::fixedCols());
    // Points that are too few or fail to fit are shown all the same, to be mended.
    fitCalibration(Caller::Load);
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
    if (!saveOrDiscard(1) || !readDataFile(path, 1)) return false;
    ui_.adjustmentGrid->fill();
    ui_.adjustmentGrid->setCurrentCell(1, PointGrid::fixedCols());
    showSession();
    ui_.tabs->selectTab(1);
    return true;
}

void MainWindow::saveCalibrationData()
{
    finishEdits();
    const std::optional<QString> path = askForFile(FileCommand::SaveCalibration);
    if (!path || !mayWrite(calibrationEndingData(session_))) return;
    saved(*path, session_.saveCalibrationFile(filePath(*path)), SavedOutput::CalibrationData);
}

void MainWindow::saveAdjustedData()
{
    finishEdits();
    if (!mayAdjust()) return;
    const std::optional<QString> path = askForFile(FileCommand::SaveAdjusted);
    if (!path || !mayWrite(pointEndingData(session_.adjustedRecords()))) return;
    // Adjusted values over the readings they came from would invite adjusting them twice.
    const std::optional<std::string>& readings = session_.adjustment().file();
    if (readings && QFileInfo(*path) == QFileInfo(qStringOf(*readings))
        && !platform_.askBeforeRisk(tr("%1 holds the readings these values were adjusted from. Replace the readings "
                                       "with the adjusted values?")
                                        .arg(*path)))
        return;
    saved(*path, session_.saveAdjustedFile(filePath(*path)), SavedOutput::AdjustedData);
}

void MainWindow::saveAdjustmentReadings()
{
    finishEdits();
    const std::optional<QString> path = askForFile(FileCommand::SaveReadings);
    if (!path || !mayWrite(pointEndingData(session_.readingsRecords()))) return;
    saved(*path, session_.saveReadingsFile(filePath(*path)), SavedOutput::Readings);
}

// A save that failed says why; the data set and its file stay as they were. One that
// succeeded says so in the status line until the next change.
bool MainWindow::saved(const QString& path, const FileOutcome& outcome, SavedOutput output)
{
    showSession();
    if (outcome.ok)
        statusBar()->showMessage(qStringOf(savedText(output, path.toStdString())));
    else
        platform_.showMessage(tr("Could not save %1: %2").arg(path, qStringOf(fileErrorText(outcome))));
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
        if (!session_.calibration().file()) return;
        report = session_.calibrate(extras);
    }
    if (report.converged()) recordAutomatically();
    showSession();
    switch (report.outcome) {
    case CalibrationOutcome::TooFewPoints: platform_.beep(); return;
    case CalibrationOutcome::MissingConstant:
        platform_.beep();
        (report.missingConstant == 0 ? ui_.acidConcentration : ui_.initialVolume)->setFocus();
        return;
    default: break;
    }
    for (int i = 0; i < report.outOfRangeStarts; ++i) platform_.showMessage(qStringOf(invalidEntryText()));
    if (report.outcome == CalibrationOutcome::ModelError && caller == Caller::Load) return;
    if (!report.converged()) platform_.showMessage(qStringOf(calibrationMessage(report)));
}

bool MainWindow::mayAdjust()
{
    if (session_.canAdjust()) return true;
    platform_.showMessage(qStringOf(adjustmentRefusal(session_)));
    return false;
}

void MainWindow::adjustData()
{
    finishEdits();
    if (mayAdjust()) adjustPoints(Caller::User);
}

void MainWindow::adjustPoints(Caller caller)
{
    const std::int32_t failed = ui_.adjustmentGrid->showAdjusted();
    if (failed != 0 && caller == Caller::User) platform_.showMessage(qStringOf(adjustmentStoppedText(failed)));
}

}  // namespace quorlin
