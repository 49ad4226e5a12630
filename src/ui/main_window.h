#pragma once

#include "command_actions.h"
#include "core/captions.h"
#include "core/workspace.h"
#include "text/number_text.h"
#include "plot/calibration_plot.h"
#include "plot/plot_mapping.h"
#include "ui/grids/twips.h"
#include "window_controls.h"

#include <QMainWindow>

#include <array>
#include <optional>

namespace quorlin {

class PlatformServices;

// The one window of the program. It owns the Workspace for the whole run, holds every
// control and runs the commands of the menus and the toolbar. The state that decides
// which commands are usable lives in the captions: a FileName other than "?" means the
// data set has a file, a Parameter(1) other than "?" that starting values or a
// calibration exist.
class MainWindow final : public QMainWindow {
    Q_OBJECT

public:
    static inline const QString kTitle = QStringLiteral("Low pH Glass Electode calibration and adjustment");
    // The client area as designed, in twips.
    static constexpr double kClientWidth = 11880;
    static constexpr double kClientHeight = 8595;

    explicit MainWindow(PlatformServices& platform, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The commands. A menu item and its toolbar button run the same procedure.
    void Choose_Click(int index);
    void Calibrate_Click();
    void Correct_Click();
    void Help_Click();
    void Version_Click();
    void Exit_Click();
    void Tb_ButtonClick(const QString& key);

    const Workspace& workspace() const { return ws_; }
    const Captions& captions() const { return captions_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Model failures are reported to a user who asked for the calibration; after a
    // load they are passed over like every other failure of the load.
    enum class Caller { User, Load };

    void Form_Load();
    void Form_Resize();
    void SetPanels();
    void SetVisible();
    void DataTab_Click(int index);
    void PlotData();

    void connectCommands();
    void finishEdits();
    void loadCalibrationData();
    void loadDataForAdjustment();
    void saveCalibrationData();
    void saveAdjustedData();
    void calibrate(Caller caller);
    void adjust(Caller caller);
    void readBoxes();
    void showCaptions();
    std::optional<QString> askForFile(int index);
    std::optional<QString> chooseFileToLoad(int index);

    PlatformServices& platform_;
    Workspace ws_;
    Captions captions_;
    RegionalFormat format_;
    TwipsPerPixel twips_;
    CommandActions actions_;
    WindowControls ui_;
    PlotMapping mapping_;
    PlotExtents extents_;
    // The text of each Box that was last reported as out of range. Releasing the key
    // that closed the message box reads the box again; reporting the same text once
    // more would never end.
    std::array<std::optional<QString>, 2> boxComplaint_;
};

}  // namespace quorlin
