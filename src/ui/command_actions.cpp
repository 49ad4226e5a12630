#include "command_actions.h"

#include <QAction>
#include <QIcon>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace quorlin {

namespace {

QString versionCaption()
{
    return QStringLiteral("Version %1.%2.%3")
        .arg(QUORLIN_VERSION_MAJOR)
        .arg(QUORLIN_VERSION_MINOR)
        .arg(QUORLIN_VERSION_PATCH);
}

// Menu shortcuts belong to the main window: while another window of the program, such
// as the help, is active, its keys are its own. A toolbar button shows the tip, which
// is worded apart from the menu caption.
QAction* addItem(QMenu* menu, const QString& caption, const QString& shortcut = {}, const QString& icon = {},
                 const QString& tip = {})
{
    QAction* action = menu->addAction(caption);
    if (!shortcut.isEmpty()) action->setShortcut(QKeySequence(shortcut));
    if (!icon.isEmpty()) action->setIcon(QIcon(":/icons/" + icon + ".svg"));
    if (!tip.isEmpty()) action->setToolTip(tip);
    return action;
}

}  // namespace

CommandActions buildCommandActions(QMenuBar* menuBar, QWidget* client)
{
    CommandActions a;

    QMenu* file = menuBar->addMenu("&File");
    a.loadCalibrationData = addItem(file, "Load Data for &Calibration", {}, "open1", "Load data for calibration");
    a.loadAdjustmentData = addItem(file, "Load data for &Adjustment", {}, "open2", "Load data for adjustment");
    a.saveCalibrationData = addItem(file, "&Save calibration data", "Ctrl+S", "save1", "Save calibration data");
    a.saveAdjustedData = addItem(file, "Save adjusted da&ta", "Ctrl+T", "save2", "Save adjusted data");
    file->addSeparator();
    // The results of a calibration, each a command of its own.
    a.exportPlot = addItem(file, "&Export plot…");
    a.saveReport = addItem(file, "Save &report…");
    a.print = addItem(file, "&Print…", "Ctrl+P");
    file->addSeparator();
    a.exit = addItem(file, "E&xit", {}, "exit", "End session");

    QMenu* calibration = menuBar->addMenu("&Calibration");
    a.addCalibrationPoint = addItem(calibration, "&Add point (after)", "Ctrl+A");
    a.deleteCalibrationPoint = addItem(calibration, "&Delete point", "Ctrl+B");
    a.calibrate = addItem(calibration, "&Calibrate", "Ctrl+C", "calibrate", "Calibrate");
    a.toggleExclusion = addItem(calibration, QObject::tr("Leave point &out / take it in"), "Ctrl+E");
    a.fitDetails = addItem(calibration, QObject::tr("Fit &details…"));

    a.adjustmentMenu = menuBar->addMenu("&Adjustment");
    a.addAdjustmentPoint = addItem(a.adjustmentMenu, "&Add point (after)", "Ctrl+X");
    a.deleteAdjustmentPoint = addItem(a.adjustmentMenu, "&Delete point", "Ctrl+Y");
    a.adjustData = addItem(a.adjustmentMenu, "&Adjust data", "Ctrl+J", "adjust", "Adjust data");

    QMenu* help = menuBar->addMenu("&Help");
    a.help = addItem(help, "&Help", {}, "help", "Help");
    a.version = addItem(help, versionCaption());

    a.toolBar = new QToolBar(client);
    a.toolBar->setMovable(false);
    a.toolBar->setFloatable(false);
    a.toolBar->setIconSize(QSize(16, 16));
    a.toolBar->addActions({a.loadCalibrationData, a.loadAdjustmentData, a.saveCalibrationData, a.saveAdjustedData});
    a.toolBar->addSeparator();
    a.toolBar->addActions({a.calibrate, a.adjustData});
    a.toolBar->addSeparator();
    a.toolBar->addActions({a.help, a.exit});
    return a;
}

}  // namespace quorlin
