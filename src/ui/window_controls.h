#pragma once

#include "ui/grids/twips.h"

#include <array>

class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRect;
class QWidget;

namespace quorlin {

class CellEditBox;
class GraphWidget;
class PointGrid;
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
    PointGrid* DataGrid = nullptr;
    CellEditBox* EditA = nullptr;
    GraphWidget* Graph = nullptr;

    // Adjustment panel.
    PointGrid* CorrectionGrid = nullptr;
    CellEditBox* EditB = nullptr;
};

// Creates every control in `client`, the window's area below the menu bar, at its
// designed place (twips turned into pixels with `twips`). The panels are created after
// the tab strip, so they lie over it.
WindowControls BuildWindowControls(QWidget* client, TwipsPerPixel twips);

// Places a widget at a rectangle given in twips.
void PlaceInTwips(QWidget* widget, TwipsPerPixel twips, double left, double top, double width, double height);

}  // namespace quorlin
