#pragma once

#include "core/workspace.h"
#include "text/number_text.h"

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
class TabStrip;

// The controls of the main window that the code works with after building them.
struct WindowControls {
    TabStrip* tabs = nullptr;
    QFrame* calibrationPanel = nullptr;
    QFrame* adjustmentPanel = nullptr;

    // Calibration panel.
    QLabel* calibrationFileName = nullptr;
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
    AdjustmentGrid* adjustmentGrid = nullptr;
};

// What the grids work on; all of it must outlive the controls.
struct GridDependencies {
    Workspace& ws;
    const RegionalSettings& regional;
    GridServices& services;
    // Whether a calibration exists, for the adjustment after points change.
    std::function<bool()> calibrationAvailable;
};

// Creates every control in `client`, the window's area below the menu bar, at its
// designed place in twips. The panels are made after the tab strip, so they lie over
// it.
WindowControls buildWindowControls(QWidget* client, const GridDependencies& grids);

}  // namespace quorlin
