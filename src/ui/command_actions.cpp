#include "command_actions.h"

#include <QAction>
#include <QIcon>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace quorlin {

namespace {

QIcon iconOf(const QString& key)
{
    return QIcon(":/icons/" + key + ".svg");
}

QMenu* addMenu(QMenuBar* bar, const char* name, const QString& caption)
{
    QMenu* menu = bar->addMenu(caption);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    return menu;
}

// Menu shortcuts work wherever the focus is in the program.
QAction* addItem(QMenu* menu, const QString& name, const QString& caption, const QString& shortcut = {},
                 const QString& iconKey = {})
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    if (!shortcut.isEmpty()) {
        action->setShortcut(QKeySequence(shortcut));
        action->setShortcutContext(Qt::ApplicationShortcut);
    }
    if (!iconKey.isEmpty()) action->setIcon(iconOf(iconKey));
    return action;
}

QAction* addButton(QToolBar* bar, const QString& key, const QString& tip)
{
    QAction* action = bar->addAction(iconOf(key), tip);
    action->setObjectName(key);
    action->setData(key);
    action->setToolTip(tip);
    return action;
}

}  // namespace

CommandActions buildCommandActions(QMenuBar* menuBar, QWidget* client)
{
    CommandActions a;

    a.FileMenu = addMenu(menuBar, "FileMenu", "&File");
    a.Choose[0] = addItem(a.FileMenu, "Choose(0)", "Load Data for &Calibration", {}, "open1");
    a.Choose[1] = addItem(a.FileMenu, "Choose(1)", "Load data for &Adjustment", {}, "open2");
    a.Choose[2] = addItem(a.FileMenu, "Choose(2)", "&Save calibration data", "Ctrl+S", "save1");
    a.Choose[3] = addItem(a.FileMenu, "Choose(3)", "Save adjusted da&ta", "Ctrl+T", "save2");
    a.FileMenu->addSeparator()->setObjectName("x");
    a.Exit = addItem(a.FileMenu, "Exit", "E&xit", {}, "exit");

    a.MenuCalibration = addMenu(menuBar, "MenuCalibration", "&Calibration");
    a.CalibrationAdd = addItem(a.MenuCalibration, "CalibrationAdd", "&Add point (after)", "Ctrl+A");
    a.CalibrationDelete = addItem(a.MenuCalibration, "CalibrationDelete", "&Delete point", "Ctrl+B");
    a.Calibrate = addItem(a.MenuCalibration, "Calibrate", "&Calibrate", "Ctrl+C", "calibrate");

    a.Da = addMenu(menuBar, "Da", "&Adjustment");
    a.AdjustmentAdd = addItem(a.Da, "AdjustmentAdd", "&Add point (after)", "Ctrl+X");
    a.AdjustmentDelete = addItem(a.Da, "AdjustmentDelete", "&Delete point", "Ctrl+Y");
    a.Correct = addItem(a.Da, "Correct", "&Adjust data", "Ctrl+J", "adjust");

    a.hlp = addMenu(menuBar, "hlp", "&Help");
    a.Help = addItem(a.hlp, "Help", "&Help", {}, "help");
    a.Version = addItem(a.hlp, "Version", "&Version");

    a.Tb = new QToolBar(client);
    a.Tb->setObjectName("Tb");
    a.Tb->setMovable(false);
    a.Tb->setFloatable(false);
    a.Tb->setIconSize(QSize(16, 16));
    a.TbButton[1] = addButton(a.Tb, "open1", "Load data for calibration");
    a.TbButton[2] = addButton(a.Tb, "open2", "Load data for adjustment");
    a.TbButton[3] = addButton(a.Tb, "save1", "Save calibration data");
    a.TbButton[4] = addButton(a.Tb, "save2", "Save adjusted data");
    a.TbButton[5] = a.Tb->addSeparator();
    a.TbButton[6] = addButton(a.Tb, "calibrate", "Calibrate");
    a.TbButton[7] = addButton(a.Tb, "adjust", "Adjust data");
    a.TbButton[8] = a.Tb->addSeparator();
    a.TbButton[9] = addButton(a.Tb, "help", "Help");
    a.TbButton[10] = addButton(a.Tb, "exit", "End session");
    return a;
}

}  // namespace quorlin
