#pragma once

#include "support/fake_platform.h"
#include "support/temp_folder.h"
#include "support/titration.h"
#include "ui/grids/adjustment_grid.h"
#include "ui/grids/calibration_grid.h"
#include "ui/grids/cell_edit_box.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <memory>

namespace quorlin::testing {

// A shown, active window on the scripted platform.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<MainWindow>(platform);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    const WindowControls& ui() const { return window->controls(); }
    const CalibrationData& cal() const { return window->session().calibration().data(); }
    const AdjustmentData& adj() const { return window->session().adjustment().points(); }

    // The next file dialog chooses `path`; then the command runs.
    void load(const QString& path, void (MainWindow::*command)() = &MainWindow::loadCalibrationData)
    {
        platform.files.push_back(path);
        (window.get()->*command)();
    }
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
    QString path(const std::string& name) const { return QString::fromStdString((folder.path() / name).string()); }

    // Types over a cell without ending the edit: the first character opens the box.
    static void typeOver(PointSetGrid& grid, int row, int col, const QString& text)
    {
        grid.setCurrentCell(row, col);
        grid.setFocus();
        QTest::keyClicks(&grid, text.left(1));
        QTest::keyClicks(&grid.editBox(), text.mid(1));
    }

    TempFolder folder;
    FakePlatform platform;
    std::unique_ptr<MainWindow> window;
};

}  // namespace quorlin::testing
