#pragma once

#include "core/workspace.h"
#include "text/number_text.h"

#include <array>
#include <functional>

class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace quorlin {

class CorrectionGrid;
class DataGrid;
class Graph;
class GridServices;
class TabStrip;

// The controls of the main window under the names the code uses for them (also their
// object names). Control arrays keep their indices: FileName(0..1), Box(0..1),
// DataFrame(1..2) and Parameter(1..3); slot 0 of the last two is unused.
struct WindowControls {
    TabStrip* DataTab = nullptr;
    std::array<QFrame*, 3> DataFrame{};

    // Calibration panel.
    std::array<QLabel*, 2> FileName{};
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    std::array<QLineEdit*, 2> Box{};
    QGroupBox* ParFrame = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    std::array<QLabel*, 4> Parameter{};
    QLabel* rmserror = nullptr;
    quorlin::DataGrid* DataGrid = nullptr;  // with its edit box EditA
    quorlin::Graph* Graph = nullptr;

    // Adjustment panel.
    quorlin::CorrectionGrid* CorrectionGrid = nullptr;  // with its edit box EditB
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
