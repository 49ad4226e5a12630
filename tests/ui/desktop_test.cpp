#include "window_fixture.h"

#include "support/memory_settings_store.h"
#include "ui/graph_widget.h"
#include "ui/recent_files.h"
#include "ui/tab_strip.h"

#include <QAction>
#include <QMenu>
#include <QMimeData>
#include <QStatusBar>
#include <QToolBar>
#include <QUrl>

#include <functional>

namespace quorlin::testing {
namespace {

class Desktop : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        load(calibrationFile);
        load(QStringLiteral(QUORLIN_SAMPLE_DATA "/adjustment.txt"), &MainWindow::loadAdjustmentData);
    }

    // Everything an edit may change: both data sets, the texts of their cells and the constants.
    struct State {
        PointSet calibration, adjustment;
        std::vector<QString> texts;
        QString acid, volume;
        std::array<std::string, 2> constants;
        bool operator==(const State& other) const
        {
            const auto same = [](const PointSet& a, const PointSet& b) {
                return a.count == b.count && a.volume == b.volume && a.emf == b.emf;
            };
            return same(calibration, other.calibration) && same(adjustment, other.adjustment)
                   && std::tie(texts, acid, volume, constants)
                          == std::tie(other.texts, other.acid, other.volume, other.constants);
        }
    };
    State state() const
    {
        State s{cal(),
                adj(),
                {},
                ui().acidConcentration->text(),
                ui().initialVolume->text(),
                window->session().constantTexts()};
        for (const PointGrid* grid : std::initializer_list<const PointGrid*>{ui().calibrationGrid, ui().adjustmentGrid})
            for (int row = 1; row < grid->rows(); ++row)
                s.texts.insert(s.texts.end(), {grid->text(row, 1), grid->text(row, 2)});
        return s;
    }
    bool greyed() const { return !ui().ezero->isEnabled() && !ui().rmsError->isEnabled() && ui().graph->isFaded(); }
    void drop(QWidget* target, const QString& file)
    {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(file)});
        const QPointF at = target->mapTo(window.get(), QPointF(5, 5));
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(window.get(), &enter);
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(window.get(), &drop);
    }

    const QString calibrationFile = QString::fromStdString(folder.write("model.txt", CalibrationFileText({}, 15)));
    const QString adjustmentFile = QString::fromStdString(folder.write("adj.txt", "1,200\n2,210\n"));
};

TEST_F(Desktop, UndoAndRedoWalkBackAndForthThroughEveryChangeExactly)
{
    CalibrationGrid& grid = *ui().calibrationGrid;
    const std::pair<const char*, std::function<void()>> steps[] = {
        {"typed volume",
         [&] {
             typeOver(grid, 2, 1, "7.50");
             grid.finishEdit();
         }},
        {"added point", [&] { window->addCalibrationPoint(); }},
        {"typed emf",
         [&] {
             typeOver(grid, 3, 2, "300");
             grid.finishEdit();
         }},
        {"deleted point",
         [&] {
             grid.setCurrentCell(5, 1);
             window->deleteCalibrationPoint();
         }},
        {"pasted points", [&] { grid.pastePoints("1\t2\n3\t4\n"); }},
        {"typed constant", [&] { QTest::keyClicks(ui().acidConcentration, "25"); }},
        {"adjustment point added", [&] { window->addAdjustmentPoint(); }},
        {"adjustment point deleted",
         [&] {
             ui().adjustmentGrid->setCurrentCell(1, 1);
             window->deleteAdjustmentPoint();
         }},
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

// Undo after a calibration puts back the data, not the fit.
TEST_F(Desktop, ResultsGreyedFromADataChangeUntilTheNextCalibration)
{
    const QString fitted = ui().ezero->text();
    const QString note = "Data changed since this calibration";
    const std::pair<std::function<void()>, bool> steps[] = {
        {[] {}, false},
        {[&] { window->deleteCalibrationPoint(); }, true},
        {[&] { window->calibrate(); }, false},
        {[&] { window->commands().undo->trigger(); }, true},
        {[&] { window->calibrate(); }, false},
        {[&] { QTest::keyClicks(ui().initialVolume, "1"); }, true},
    };
    for (std::size_t i = 0; const auto& [step, outOfDate] : steps) {
        SCOPED_TRACE(i++);
        step();
        EXPECT_EQ(greyed(), outOfDate);
        EXPECT_EQ(window->statusBar()->currentMessage() == note, outOfDate);
    }
    EXPECT_EQ(ui().ezero->text(), fitted);
}

TEST_F(Desktop, FilesOpenFromTheCommandLineADropOrTheRecentFiles)
{
    using Kind = PlatformServices::DataKind;
    const QString otherCalibration = QString::fromStdString(folder.write("other.txt", CalibrationFileText({}, 9)));
    const auto names = [&] { return QStringList{ui().calibrationFileName->text(), ui().adjustmentFileName->text()}; };

    window->openFiles({otherCalibration, QStringLiteral(QUORLIN_SAMPLE_DATA "/adjustment.txt")});
    drop(ui().adjustmentGrid, adjustmentFile);  // the panel shown lies on top
    EXPECT_EQ(names(), (QStringList{otherCalibration, adjustmentFile}));
    ui().tabs->selectTab(0);
    drop(ui().calibrationGrid, calibrationFile);
    EXPECT_EQ(names().front(), calibrationFile);
    platform.dataKinds = {Kind::Calibration};
    drop(window->commands().toolBar, otherCalibration);
    EXPECT_EQ(names().front(), otherCalibration);
    EXPECT_EQ(platform.questions.back(), otherCalibration);

    QMenu& recent = *window->commands().recentFiles;
    emit recent.aboutToShow();
    QStringList items;
    for (const QAction* item : recent.actions()) items << item->text();
    EXPECT_EQ(items, (QStringList{"Calibration data", otherCalibration, calibrationFile, "Data for adjustment",
                                  adjustmentFile, QUORLIN_SAMPLE_DATA "/adjustment.txt"}));
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
