#pragma once

#include "command_actions.h"
#include "file_command_dialogs.h"
#include "logbook/entry.h"
#include "logbook_dialog.h"
#include "plot/calibration_plot.h"
#include "plot/plot_mapping.h"
#include "recent_files.h"
#include "session/session.h"
#include "text/number_text.h"
#include "ui/grids/twips.h"
#include "window_controls.h"
#include "wording/notices.h"

#include <QMainWindow>

class QLabel;

#include <array>
#include <optional>
#include <string>

namespace quorlin {

class PlatformServices;

// The one window of the program. It owns the session for the whole run, holds every
// control and runs the commands of the menus and the toolbar. Everything it shows is
// drawn from the session's state after each command (showSession), never kept apart.
class MainWindow final : public QMainWindow {
    Q_OBJECT

public:
    static constexpr const char* kTitle = QT_TR_NOOP("Low pH Glass Electode calibration and adjustment");
    // The client area as designed, in twips.
    static constexpr double kClientWidth = 11880;
    static constexpr double kClientHeight = 8595;

    explicit MainWindow(PlatformServices& platform, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The commands. Each first commits a value still being typed into a cell of the
    // grid it reads or changes.
    void loadCalibrationData();
    void loadAdjustmentData();
    void saveCalibrationData();
    void saveAdjustedData();
    // File › Save adjustment readings…: the volumes and emf readings as shown.
    void saveAdjustmentReadings();
    void exportPlot();
    void saveReport();
    void printResults();
    void addCalibrationPoint();
    void deleteCalibrationPoint();
    void calibrate();
    void addAdjustmentPoint();
    void deleteAdjustmentPoint();
    void adjustData();
    void showHelp();
    // Calibration › Fit details…: the statistics of the last converged fit, in a window
    // of their own.
    void showFitDetails();
    // Calibration › Record in logbook…: the calibration in force, with the user's words.
    void recordInLogbook();
    // Calibration › Logbook…: the entries and trends of an electrode.
    void showLogbook();
    void showAbout();

    // A file read as its kind outside the load commands: from the command line, a drop or
    // the recent files. Data for adjustment need calibration data first. True when read.
    bool openCalibrationFile(const QString& path);
    bool openAdjustmentFile(const QString& path);
    // The command line's files: calibration data, then data for adjustment.
    void openFiles(const QStringList& paths);

    const CommandActions& commands() const { return actions_; }
    const WindowControls& controls() const { return ui_; }
    const Session& session() const { return session_; }
    // The logbook entry of the calibration in force, once it is recorded.
    const LogbookEntry* recordedEntry() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    // Exit and the close button ask first about data changed since their load or save.
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // A file dropped on a panel loads as its data; dropped elsewhere, the user says which.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Model failures are reported to a user who asked for the calibration; after a
    // load they are passed over like every other failure of the load.
    enum class Caller { User, Load };

    void connectCommands();
    void startSession();
    void fitToSize();
    void placePanels();
    void onTabSelected(int index);
    void redrawPlots();

    // Shows the session as it is now: captions, grids' marks and adjusted column, plot,
    // status line, undo and the usable commands.
    void showSession();
    void updateCommandStates();
    void showCaptions();
    void showUndoState();
    void undoOrRedo(bool undo);

    void finishEdits();
    bool saveOrDiscardChanges();
    // Asks about unsaved changes to one data set (0 calibration, 1 readings) before they
    // are replaced or left; false when the user cancels or the save did not happen.
    bool saveOrDiscard(std::size_t set);
    void fitCalibration(Caller caller);
    // False, having said why, when no calibration is in force.
    bool mayAdjust();
    void adjustPoints(Caller caller);
    void readConstants();
    void checkConstant(int which);
    void showConstants();
    void fillRecentFiles();
    std::optional<QString> askForFile(FileCommand command);
    // Set 0 is the calibration data, 1 the data for adjustment.
    bool readDataFile(const QString& path, std::size_t set);
    bool mayWrite(const std::string& problem);
    // The plots as the window shows them, drawn without changing the window's own.
    void writeResultFile(const QString& path, const std::string& bytes, SavedOutput output);
    // Shows the session after a save, and says what was written or why not.
    bool saved(const QString& path, const FileOutcome& outcome, SavedOutput output);
    void drawPlots(Surface& surface) const;
    // A converged calibration that the data still match.
    bool mayRecord() const;
    void recordAutomatically();
    void record(const LogbookChoices& choices);
    void showVerdict();

    PlatformServices& platform_;
    Session session_;
    TwipsPerPixel twips_;
    CommandActions actions_;
    WindowControls ui_;
    PlotMapping mapping_;
    PlotExtents extents_;
    // The text of each constant's box that was last reported as no number, so that it is
    // reported once.
    std::array<std::optional<QString>, 2> constantComplaint_;
    std::array<RecentFiles, 2> recentFiles_;
    // The last calibration recorded in the logbook, and its entry.
    struct Recorded {
        std::shared_ptr<const CalibrationRecord> record;
        LogbookEntry entry;
    } recorded_;
    QLabel* verdict_ = nullptr;  // made when a verdict is first shown
};

}  // namespace quorlin
