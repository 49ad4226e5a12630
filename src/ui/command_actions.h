#pragma once

class QAction;
class QMenu;
class QMenuBar;
class QToolBar;
class QWidget;

namespace quorlin {

// One action per command of the main window, each in its menu and, where it has a
// button, on the toolbar too. They carry no behaviour: the window connects each to its
// command.
struct CommandActions {
    QAction* loadCalibrationData = nullptr;
    QAction* loadAdjustmentData = nullptr;
    QAction* saveCalibrationData = nullptr;
    QAction* saveAdjustedData = nullptr;
    QAction* saveAdjustmentReadings = nullptr;
    QAction* exportPlot = nullptr;
    QAction* saveReport = nullptr;
    QAction* print = nullptr;
    QMenu* recentFiles = nullptr;  // filled by the window each time it opens
    QAction* exit = nullptr;

    // One history for both data sets, in both their menus.
    QAction* undo = nullptr;
    QAction* redo = nullptr;

    QAction* addCalibrationPoint = nullptr;
    QAction* deleteCalibrationPoint = nullptr;
    QAction* calibrate = nullptr;
    QAction* toggleExclusion = nullptr;  // also in the calibration grid's context menu
    QAction* fitDetails = nullptr;
    QAction* recordInLogbook = nullptr;
    QAction* logbook = nullptr;

    QMenu* adjustmentMenu = nullptr;
    QAction* addAdjustmentPoint = nullptr;
    QAction* deleteAdjustmentPoint = nullptr;
    QAction* adjustData = nullptr;

    QAction* help = nullptr;
    QAction* version = nullptr;  // shows the version and does nothing
    QAction* about = nullptr;

    QToolBar* toolBar = nullptr;
};

// Builds the menu tree into `menuBar` and the toolbar as a child of `client`.
CommandActions buildCommandActions(QMenuBar* menuBar, QWidget* client);

}  // namespace quorlin
