#include "window_fixture.h"

#include "support/memory_settings_store.h"
#include "ui/graph_widget.h"
#include "ui/recent_files.h"
#include "ui/tab_strip.h"

#include <QAction>
#include <QMenu>
#include <QStatusBar>
#include <QToolBar>

#include <functional>

namespace quorlin::testing {
namespace {

class Desktop : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        load(calibrationFile);
        load(sampleAdjustment, &MainWindow::loadAdjustmentData);
    }

    // Everything an edit may change: both data sets, the texts of their cells and the constants.
    using State = std::tuple<std::int32_t, PointArray, PointArray, std::int32_t, PointArray, PointArray, QStringList>;
    State state() const
    {
        QStringList texts{ui().acidConcentration->text(), ui().initialVolume->text()};
        for (const std::string& text : window->session().calibration().constantTexts())
            texts << QString::fromStdString(text);
        for (const PointGrid* grid : std::initializer_list<const PointGrid*>{ui().calibrationGrid, ui().adjustmentGrid})
            for (int row = 1; row < grid->rows(); ++row) texts << grid->text(row, 1) << grid->text(row, 2);
        return {cal().count, cal().volume, cal().emf, adj().count, adj().volume, adj().emf, texts};
    }
    void typeInto(int row, int col, const QString& text)
    {
        typeOver(*ui().calibrationGrid, row, col, text);
        ui().calibrationGrid->finishEdit();
    }
    bool greyed() const { return !ui().ezero->isEnabled() && !ui().rmsError->isEnabled() && ui().graph->isFaded(); }

    const QString calibrationFile = QString::fromStdString(folder.write("model.txt", CalibrationFileText({}, 15)));
    const QString sampleAdjustment = QStringLiteral(QUORLIN_SAMPLE_DATA "/adjustment.txt");
};

TEST_F(Desktop, UndoAndRedoWalkBackAndForthThroughEveryChangeExactly)
{
    const std::pair<const char*, std::function<void()>> steps[] = {
        {"typed volume", [&] { typeInto(2, 1, "7.50"); }},
        {"added point", [&] { window->addCalibrationPoint(); }},
        {"typed emf", [&] { typeInto(3, 2, "300"); }},
        {"deleted point", [&] { window->deleteCalibrationPoint(); }},
        {"pasted points", [&] { ui().calibrationGrid->pastePoints("1\t2\n3\t4\n"); }},
        {"typed constant", [&] { QTest::keyClicks(ui().acidConcentration, "25"); }},
        {"adjustment point added", [&] { window->addAdjustmentPoint(); }},
        {"adjustment point deleted",
         [&] { ui().adjustmentGrid->setCurrentCell(1, 1), window->deleteAdjustmentPoint(); }},
    };
    std::vector<State> states{state()};
    for (const auto& [name, step] : steps) {
        step();
        states.push_back(state());
        EXPECT_FALSE(states.back() == states[states.size() - 2]) << name;
    }
    for (std::size_t i = std::size(steps); i > 0; --i) {
        window->commands().undo->trigger();
        EXPECT_TRUE(state() == states[i - 1]) << steps[i - 1].first;
    }
    EXPECT_FALSE(window->commands().undo->isEnabled());
    for (std::size_t i = 1; i <= std::size(steps); ++i) {
        window->commands().redo->trigger();
        EXPECT_TRUE(state() == states[i]) << steps[i - 1].first;
    }
}

// Results are greyed exactly while the data differ from those calibrated: undo puts back
// the data, not the fit; an edit that changes nothing changes nothing; a load starts anew.
TEST_F(Desktop, ResultsGreyedFromADataChangeUntilTheNextCalibration)
{
    const QString fitted = ui().ezero->text();
    const auto enterWithoutTyping = [&] {
        ui().calibrationGrid->setCurrentCell(2, 2);
        ui().calibrationGrid->setFocus();
        QTest::keyClick(ui().calibrationGrid, Qt::Key_Return);
        QTest::keyClick(&ui().calibrationGrid->editBox(), Qt::Key_Return);
        EXPECT_FALSE(window->commands().undo->isEnabled());
    };
    const std::pair<std::function<void()>, bool> steps[] = {
        {[] {}, false},
        {[&] { window->deleteCalibrationPoint(); }, true},
        {[&] { window->commands().undo->trigger(); }, false},
        {enterWithoutTyping, false},
        {[&] { window->deleteCalibrationPoint(); }, true},
        {[&] { window->calibrate(); }, false},
        {[&] { window->commands().undo->trigger(); }, true},
        {[&] { window->calibrate(); }, false},
        {[&] { QTest::keyClicks(ui().initialVolume, "1"); }, true},
        {[&] { load(calibrationFile); }, false},
    };
    for (std::size_t i = 0; const auto& [step, outOfDate] : steps) {
        SCOPED_TRACE(i++);
        step();
        EXPECT_EQ(greyed(), outOfDate);
        EXPECT_EQ(window->statusBar()->currentMessage() == "Data changed since this calibration", outOfDate);
    }
    EXPECT_EQ(ui().ezero->text(), fitted);
    // Too few points to fit: the calibration before is no result for them.
    load(QString::fromStdString(folder.write("five.txt", CalibrationFileText({}, 5))));
    EXPECT_EQ(ui().rmsError->text(), "");
    EXPECT_TRUE(window->statusBar()->currentMessage().startsWith("Not calibrated: 5 points, at least 6 needed"));
}

TEST_F(Desktop, FilesOpenFromTheCommandLineADropOrTheRecentFiles)
{
    const QString other = QString::fromStdString(folder.write("other.txt", CalibrationFileText({}, 9)));
    const QString adjustment = QString::fromStdString(folder.write("adj.txt", "1,200\n2,210\n"));
    const auto names = [&] { return QStringList{ui().calibrationFileName->text(), ui().adjustmentFileName->text()}; };

    window->openFiles({other, sampleAdjustment});
    drop(ui().adjustmentGrid, adjustment);  // the panel shown lies on top
    EXPECT_EQ(names(), (QStringList{other, adjustment}));
    ui().tabs->selectTab(0);
    drop(ui().calibrationGrid, calibrationFile);
    EXPECT_EQ(names().front(), calibrationFile);
    platform.dataKinds = {PlatformServices::DataKind::Calibration};
    drop(window->commands().toolBar, other);
    EXPECT_EQ(std::pair(names().front(), platform.questions.back()), std::pair(other, other));

    QMenu& recent = *window->commands().recentFiles;
    emit recent.aboutToShow();
    QStringList items;
    for (const QAction* item : recent.actions()) items << item->text();
    EXPECT_EQ(items, (QStringList{"Calibration data", other, calibrationFile, "Data for adjustment", adjustment,
                                  sampleAdjustment}));
    recent.actions().at(2)->trigger();
    EXPECT_EQ(names().front(), calibrationFile);
}

TEST(RecentFiles, NewestFirstOnceEachAtMostEightKeptInTheSettings)
{
    MemorySettingsStore store;
    RecentFiles recent(store, "recent");
    for (const char* path : {"a", "b", "c", "d", "e", "f", "g", "h", "i", "c"}) recent.add(path);
    EXPECT_EQ(RecentFiles(store, "recent").paths(), (QStringList{"c", "i", "h", "g", "f", "e", "d", "b"}));
    EXPECT_TRUE(RecentFiles(store, "other").paths().isEmpty());
}

}  // namespace
}  // namespace quorlin::testing
