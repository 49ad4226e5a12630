#pragma once

#include "tests/support/model_data.h"
#include "tests/support/temp_folder.h"
#include "tests/ui/window/fake_platform.h"
#include "ui/graph_widget.h"
#include "ui/grids/correction_grid.h"
#include "ui/grids/data_grid.h"
#include "ui/main_window.h"
#include "ui/tab_strip.h"

#include <QAction>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QToolBar>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace quorlin::testing {

// The sample files shipped with the program, as a new user finds them.
inline QString SampleFile(const char* name)
{
    return QStringLiteral(QUORLIN_SAMPLE_DATA "/") + name;
}

// A window on the scripted platform, with its controls found by their names.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override { platform.folder = QString::fromStdString(folder.path().string()); }

    MainWindow& start()
    {
        window = std::make_unique<MainWindow>(platform);
        return *window;
    }
    void startShown()
    {
        start();
        window->show();
    }

    template <typename T = QWidget>
    T* control(const char* name) const
    {
        T* found = window->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QAction* action(const char* name) const { return control<QAction>(name); }
    QString caption(const char* label) const { return control<QLabel>(label)->text(); }
    QLineEdit* box(int index) const { return control<QLineEdit>(index == 0 ? "Box(0)" : "Box(1)"); }
    DataGrid* dataGrid() const { return control<DataGrid>("DataGrid"); }
    CorrectionGrid* correctionGrid() const { return control<CorrectionGrid>("CorrectionGrid"); }
    QFrame* panel(int index) const { return control<QFrame>(index == 1 ? "DataFrame(1)" : "DataFrame(2)"); }
    TabStrip* tabStrip() const { return control<TabStrip>("DataTab"); }
    Graph* graph() const { return control<Graph>("Graph"); }
    QAction* button(const char* key) const { return control<QToolBar>("Tb")->findChild<QAction*>(key); }

    // Menu items and toolbar buttons that are all usable, or all not.
    void expectUsable(bool usable, std::initializer_list<const char*> items,
                      std::initializer_list<const char*> buttons) const
    {
        for (const char* item : items) EXPECT_EQ(action(item)->isEnabled(), usable) << item;
        for (const char* key : buttons) EXPECT_EQ(button(key)->isEnabled(), usable) << key;
    }

    // The next file dialog chooses this file; then the command runs.
    void choose(int index, const QString& path)
    {
        platform.files.push_back(path);
        window->Choose_Click(index);
    }

    QString write(const std::string& name, const std::string& bytes) const
    {
        return QString::fromStdString(folder.write(name, bytes));
    }

    // Fifteen titration points read from the model electrode (0.1 M acid into 50 ml).
    QString modelCalibration() const
    {
        return write("model.txt", CalibrationFileText(model, 15));
    }
    // Ten readings of another experiment with the same electrode.
    QString readings() const
    {
        return write("readings.txt", "0.5,227.24\n2,261.51\n3.5,274.39\n5,282.25\n6.5,287.83\n8,292.2\n"
                                     "9.5,295.22\n11,298.05\n12.5,300.33\n14,302.41\n");
    }
    QString path(const std::string& name) const { return QString::fromStdString((folder.path() / name).string()); }

    // Whether anything but the background is drawn on the plot surface.
    bool plotDrawn() const
    {
        const QImage& image = graph()->surface().image();
        const QRgb background = image.pixel(0, 0);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != background) return true;
        return false;
    }

    TempFolder folder;
    ElectrodeModel model;
    FakePlatform platform;
    std::unique_ptr<MainWindow> window;
};

// A calibration file of `points` (volume, emf) lines after the header "0.1,50".
inline std::string CalibrationText(const std::vector<std::pair<const char*, const char*>>& points)
{
    std::string text = "0.1,50\n";
    for (const auto& [volume, emf] : points) text += std::string(volume) + "," + emf + "\n";
    return text;
}

}  // namespace quorlin::testing
