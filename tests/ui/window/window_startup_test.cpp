#include "tests/ui/window/window_fixture.h"

#include <QApplication>
#include <QMenuBar>

namespace quorlin {
namespace {

using testing::WindowTest;

TEST_F(WindowTest, StartsWithOnlyTheCommandsThatNeedNoDataAndItsVersion)
{
    start();
    EXPECT_EQ(window->windowTitle(), "Low pH Glass Electode calibration and adjustment");

    expectUsable(true, {"Choose(0)", "Exit", "CalibrationAdd", "CalibrationDelete", "Help", "Version"},
                 {"open1", "help", "exit"});
    expectUsable(false,
                 {"Choose(1)", "Choose(2)", "Choose(3)", "Calibrate", "Da", "AdjustmentAdd", "AdjustmentDelete",
                  "Correct"},
                 {"open2", "save1", "save2", "calibrate", "adjust"});

    window->show();
    EXPECT_FALSE(panel(1)->isVisible());
    EXPECT_FALSE(panel(2)->isVisible());
    EXPECT_FALSE(tabStrip()->isVisible());
    EXPECT_EQ(caption("FileName(0)"), "?");
    EXPECT_EQ(caption("FileName(1)"), "?");
    for (const char* parameter : {"Parameter(1)", "Parameter(2)", "Parameter(3)"}) EXPECT_EQ(caption(parameter), "?");
    EXPECT_EQ(caption("rmserror"), "");

    EXPECT_EQ(action("Version")->text(), "Version 1.0.3");
    action("Version")->trigger();
    EXPECT_TRUE(platform.dialogs.empty());
    EXPECT_TRUE(platform.messages.isEmpty());
    EXPECT_EQ(platform.helpShown, 0);
}

TEST_F(WindowTest, MenuTreeCaptionsAndShortcuts)
{
    start();
    const std::vector<std::pair<const char*, const char*>> menus{
        {"FileMenu", "&File"}, {"MenuCalibration", "&Calibration"}, {"Da", "&Adjustment"}, {"hlp", "&Help"}};
    QStringList bar;
    for (QAction* entry : window->menuBar()->actions()) bar << entry->text();
    QStringList expected;
    for (const auto& [name, text] : menus) {
        expected << text;
        EXPECT_EQ(control<QMenu>(name)->title(), text);
    }
    EXPECT_EQ(bar, expected);

    const std::tuple<const char*, const char*, const char*> items[] = {
        {"Choose(0)", "Load Data for &Calibration", ""},   {"Choose(1)", "Load data for &Adjustment", ""},
        {"Choose(2)", "&Save calibration data", "Ctrl+S"}, {"Choose(3)", "Save adjusted da&ta", "Ctrl+T"},
        {"Exit", "E&xit", ""},                             {"CalibrationAdd", "&Add point (after)", "Ctrl+A"},
        {"CalibrationDelete", "&Delete point", "Ctrl+B"},  {"Calibrate", "&Calibrate", "Ctrl+C"},
        {"AdjustmentAdd", "&Add point (after)", "Ctrl+X"}, {"AdjustmentDelete", "&Delete point", "Ctrl+Y"},
        {"Correct", "&Adjust data", "Ctrl+J"},             {"Help", "&Help", ""}};
    for (const auto& [name, text, shortcut] : items) {
        EXPECT_EQ(action(name)->text(), text) << name;
        EXPECT_EQ(action(name)->shortcut(), QKeySequence(shortcut)) << name;
    }
    const QList<QAction*> file = control<QMenu>("FileMenu")->actions();
    ASSERT_EQ(file.size(), 6);
    EXPECT_TRUE(file[4]->isSeparator());
}

TEST_F(WindowTest, ToolbarButtonsInOrderWithTips)
{
    start();
    const QList<QAction*> buttons = control<QToolBar>("Tb")->actions();
    ASSERT_EQ(buttons.size(), 10);
    const std::vector<std::pair<const char*, const char*>> expected{
        {"open1", "Load data for calibration"}, {"open2", "Load data for adjustment"}, {"save1", "Save calibration data"},
        {"save2", "Save adjusted data"},        {nullptr, nullptr},                    {"calibrate", "Calibrate"},
        {"adjust", "Adjust data"},              {nullptr, nullptr},                    {"help", "Help"},
        {"exit", "End session"}};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const auto [key, tip] = expected[i];
        if (!key) {
            EXPECT_TRUE(buttons[static_cast<qsizetype>(i)]->isSeparator()) << i;
            continue;
        }
        EXPECT_EQ(buttons[static_cast<qsizetype>(i)]->data().toString(), key);
        EXPECT_EQ(buttons[static_cast<qsizetype>(i)]->toolTip(), tip);
        EXPECT_FALSE(buttons[static_cast<qsizetype>(i)]->icon().isNull()) << key;
    }
    EXPECT_EQ(control<QToolBar>("Tb")->iconSize(), QSize(16, 16));
}

// Beside the program at first; a load saves its folder, and the next start reads it.
TEST_F(WindowTest, DataDirectorySettingIsSavedOnLoadAndReadAtStartUp)
{
    start();
    choose(0, write("run1.txt", testing::CalibrationText({{"1", "250"}})));
    const QString folderText = QString::fromStdString(folder.path().string());
    EXPECT_EQ(platform.store.read("tarnel", "main", "stdir", ""), folderText.toStdString());
    start();
    window->Choose_Click(1);
    EXPECT_EQ(platform.dialogs.back().initialFolder, folderText);

    platform.store.save("tarnel", "main", "stdir", "/home/chemist/titrations");
    start();
    window->Choose_Click(0);
    EXPECT_EQ(platform.dialogs.back().initialFolder, "/home/chemist/titrations");
}

TEST_F(WindowTest, OpensAtTheDesignedClientSizeAndFollowsResizing)
{
    startShown();
    // 11880 x 8595 twips at the screen's resolution, below the menu bar.
    const double dpiX = window->logicalDpiX(), dpiY = window->logicalDpiY();
    EXPECT_NEAR(window->centralWidget()->width(), 11880 * dpiX / 1440, 1);
    EXPECT_NEAR(window->centralWidget()->height(), 8595 * dpiY / 1440, 1);

    choose(0, modelCalibration());
    window->resize(1000, 760);
    QApplication::processEvents();
    const int margin = qRound(60 * dpiX / 1440);
    EXPECT_EQ(tabStrip()->width(), 1000 - margin);
    EXPECT_EQ(tabStrip()->height(), 760 - qRound(1140 * dpiY / 1440));
    EXPECT_EQ(panel(1)->geometry(), panel(2)->geometry());
    EXPECT_EQ(panel(1)->geometry(), tabStrip()->clientArea());
    EXPECT_EQ(graph()->geometry().right() + 1, panel(1)->width() - margin);
    EXPECT_EQ(graph()->geometry().bottom() + 1, panel(1)->height() - qRound(60 * dpiY / 1440));
    EXPECT_TRUE(plotDrawn());

    // Sizes that would come out negative are left as they were, without a word.
    window->resize(30, 20);
    QApplication::processEvents();
    EXPECT_GE(tabStrip()->height(), 0);
    EXPECT_GE(graph()->height(), 0);
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST_F(WindowTest, TabsBringTheirPanelForwardAndOnlyCalibrationRedraws)
{
    startShown();
    choose(0, modelCalibration());
    choose(1, readings());
    EXPECT_TRUE(tabStrip()->isVisible());
    EXPECT_EQ(tabStrip()->selectedTab(), 1);
    EXPECT_TRUE(panel(1)->isVisible());
    EXPECT_TRUE(panel(2)->isVisible());
    const auto inFront = [this](int index) {
        QWidget* onTop = window->centralWidget()->childAt(panel(1)->geometry().center());
        return onTop == panel(index) || panel(index)->isAncestorOf(onTop);
    };
    EXPECT_TRUE(inFront(2));

    graph()->surface().clear();
    tabStrip()->selectTab(0);
    EXPECT_TRUE(inFront(1));
    EXPECT_TRUE(plotDrawn());

    graph()->surface().clear();
    tabStrip()->selectTab(1);
    EXPECT_TRUE(inFront(2));
    EXPECT_FALSE(plotDrawn());
}

TEST_F(WindowTest, HelpOpensTheManualAndExitEndsWithoutAsking)
{
    startShown();
    action("Help")->trigger();
    EXPECT_EQ(platform.helpShown, 1);

    choose(0, modelCalibration());
    const std::size_t dialogs = platform.dialogs.size();
    action("Exit")->trigger();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(platform.dialogs.size(), dialogs);
    EXPECT_TRUE(platform.questions.empty());
    EXPECT_TRUE(platform.messages.isEmpty());
}

}  // namespace
}  // namespace quorlin
