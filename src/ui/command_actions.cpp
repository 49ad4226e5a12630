#include "command_actions.h"

#include <QAction>
#include <QCoreApplication>
#include <QIcon>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace quorlin {

namespace {

// The captions' translation context.
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(CommandActions)
};

QString versionCaption()
{
    return Texts::tr("Version %1.%2.%3")
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

    QMenu* file = menuBar->addMenu(Texts::tr("&File"));
    a.loadCalibrationData = addItem(file, Texts::tr("Load Data for &Calibration"), "Ctrl+O", "open1",
                                    Texts::tr("Load data for calibration"));
    a.loadAdjustmentData =
        addItem(file, Texts::tr("Load data for &Adjustment"), {}, "open2", Texts::tr("Load data for adjustment"));
    a.saveCalibrationData =
        addItem(file, Texts::tr("&Save calibration data"), "Ctrl+S", "save1", Texts::tr("Save calibration data"));
    a.saveAdjustedData =
        addItem(file, Texts::tr("Save adjusted da&ta"), "Ctrl+T", "save2", Texts::tr("Save adjusted data"));
    a.saveAdjustmentReadings = addItem(file, Texts::tr("Save adjustment readin&gs…"));
    file->addSeparator();
    // The results of a calibration, each a command of its own.
    a.exportPlot = addItem(file, Texts::tr("&Export plot…"));
    a.saveReport = addItem(file, Texts::tr("Save &report…"));
    a.print = addItem(file, Texts::tr("&Print…"), "Ctrl+P");
    file->addSeparator();
    a.recentFiles = file->addMenu(Texts::tr("Recent &files"));
    file->addSeparator();
    a.exit = addItem(file, Texts::tr("E&xit"), "Ctrl+Q", "exit", Texts::tr("End session"));

    QMenu* calibration = menuBar->addMenu(Texts::tr("&Calibration"));
    a.addCalibrationPoint = addItem(calibration, Texts::tr("&Add point (after)"), "Ctrl+A");
    a.deleteCalibrationPoint = addItem(calibration, Texts::tr("&Delete point"), "Ctrl+B");
    a.calibrate = addItem(calibration, Texts::tr("&Calibrate"), "Ctrl+C", "calibrate", Texts::tr("Calibrate"));
    a.toggleExclusion = addItem(calibration, Texts::tr("Leave point &out / take it in"), "Ctrl+E");
    a.fitDetails = addItem(calibration, Texts::tr("&Fit details…"));
    a.recordInLogbook = addItem(calibration, Texts::tr("Record in &logbook…"), "Ctrl+L");
    a.logbook = addItem(calibration, Texts::tr("Lo&gbook…"));
    calibration->addSeparator();
    a.undo = addItem(calibration, Texts::tr("&Undo"), "Ctrl+Z");
    a.redo = addItem(calibration, Texts::tr("&Redo"), "Ctrl+Shift+Z");

    a.adjustmentMenu = menuBar->addMenu(Texts::tr("&Adjustment"));
    a.addAdjustmentPoint = addItem(a.adjustmentMenu, Texts::tr("&Add point (after)"), "Ctrl+X");
    a.deleteAdjustmentPoint = addItem(a.adjustmentMenu, Texts::tr("&Delete point"), "Ctrl+Y");
    a.adjustData = addItem(a.adjustmentMenu, Texts::tr("&Adjust data"), "Ctrl+J", "adjust", Texts::tr("Adjust data"));
    a.adjustmentMenu->addSeparator();
    a.adjustmentMenu->addActions({a.undo, a.redo});

    QMenu* help = menuBar->addMenu(Texts::tr("&Help"));
    a.help = addItem(help, Texts::tr("&Help"), {}, "help", Texts::tr("Help"));
    a.version = addItem(help, versionCaption());
    a.about = addItem(help, Texts::tr("&About Quorlin"));

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
