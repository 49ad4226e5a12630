#pragma once

#include <functional>

class QFrame;
class QLabel;
class QLineEdit;
class QWidget;

namespace quorlin {

class AdjustmentGrid;
class CalibrationGrid;
class Graph;
class GridServices;
class Session;
class TabStrip;

// The controls of the main window that the code works with after building them.
struct WindowControls {
    TabStrip* tabs = nullptr;
    QLabel* startHint = nullptr;  // where to start, where the panels will be until data are loaded
    QFrame* calibrationPanel = nullptr;
    QFrame* adjustmentPanel = nullptr;

    // Calibration panel.
    QLabel* calibrationFileName = nullptr;
    QLabel* calibrationDataEnd = nullptr;  // where the file's data ended early, if they did
    QLineEdit* acidConcentration = nullptr;
    QLineEdit* initialVolume = nullptr;
    QLabel* ezero = nullptr;
    QLabel* slope = nullptr;
    QLabel* jCorrection = nullptr;
    QLabel* rmsError = nullptr;
    CalibrationGrid* calibrationGrid = nullptr;
    Graph* graph = nullptr;

    // Adjustment panel.
    QLabel* adjustmentFileName = nullptr;
    QLabel* calibrationInForce = nullptr;  // which calibration adjusts the readings
    AdjustmentGrid* adjustmentGrid = nullptr;
};

// Creates every control in `client`, the window's area below the menu bar, at its
// designed place in twips. The panels are made after the tab strip, so they lie over
// it.
// The grids work on the session's data sets; session and services must outlive them.
WindowControls buildWindowControls(QWidget* client, Session& session, GridServices& services);

}  // namespace quorlin
