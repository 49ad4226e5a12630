#pragma once

#include <QString>

#include <array>

class QAction;
class QMenu;
class QMenuBar;
class QToolBar;
class QWidget;

namespace quorlin {

// The menu items and toolbar buttons of the main window, under the names the code
// uses for them (also their object names). They carry no behaviour: the window
// connects each to its command.
struct CommandActions {
    QMenu* FileMenu = nullptr;
    std::array<QAction*, 4> Choose{};  // the four file commands, by index
    QAction* Exit = nullptr;

    QMenu* MenuCalibration = nullptr;
    QAction* CalibrationAdd = nullptr;
    QAction* CalibrationDelete = nullptr;
    QAction* Calibrate = nullptr;

    QMenu* Da = nullptr;  // the Adjustment menu
    QAction* AdjustmentAdd = nullptr;
    QAction* AdjustmentDelete = nullptr;
    QAction* Correct = nullptr;

    QMenu* hlp = nullptr;
    QAction* Help = nullptr;
    QAction* Version = nullptr;

    QToolBar* Tb = nullptr;
    // Toolbar buttons by their number from the left, 1..10; 5 and 8 are separators.
    std::array<QAction*, 11> TbButton{};
};

// The toolbar keys in the order a click is matched against them.
inline const std::array<QString, 8> kToolbarKeys{"open1", "open2", "save1",  "save2",
                                                 "calibrate", "adjust", "help", "exit"};

// Builds the menu tree into `menuBar` and the toolbar as a child of `client`.
CommandActions buildCommandActions(QMenuBar* menuBar, QWidget* client);

}  // namespace quorlin
