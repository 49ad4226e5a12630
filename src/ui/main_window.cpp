#include "main_window.h"

#include "fit_details_dialog.h"
#include "io/data_directory.h"
#include "menu_shortcut_filter.h"
#include "platform_services.h"
#include "session/plot_export.h"
#include "tab_strip.h"
#include "ui/graph_widget.h"
#include "ui/grids/adjustment_grid.h"
#include "ui/grids/calibration_grid.h"
#include "ui/grids/grid_sizing.h"
#include "ui/grids/qt_text.h"
#include "wording/captions.h"
#include "wording/messages.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

namespace quorlin {

namespace {

// The layout was designed for an 8.25 point dialog font of Arial's widths; the
// toolkit's larger default would overrun the designed boxes, grid cells and labels.
QFont designFont()
{
    QFont font = QApplication::font();
    font.setFamilies({"Liberation Sans", "Arial", "Helvetica"});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8.25);
    return font;
}

}  // namespace

MainWindow::MainWindow(PlatformServices& platform, QWidget* parent)
    : QMainWindow(parent), platform_(platform), session_(platform.regional()),
      twips_(twipsPerPixelOf(*this)), recentFiles_{RecentFiles(platform.settings(), "recentCalibration"),
                                                   RecentFiles(platform.settings(), "recentAdjustment")}
{
    setWindowTitle(tr(kTitle));
    setAcceptDrops(true);
    setWindowIcon(QIcon(":/icons/quorlin.svg"));

    // The client area below the menu bar holds the toolbar and everything else at
    // designed places, as the layout lengths are given from its top-left corner.
    auto* client = new QWidget(this);
    client->setFont(designFont());
    setCentralWidget(client);
    actions_ = buildCommandActions(menuBar(), client);
    placeInTwips(*actions_.toolBar, 0, 0, kClientWidth, 420);
    ui_ = buildWindowControls(client, session_, platform_);
    for (QLineEdit* box : {ui_.acidConcentration, ui_.initialVolume}) box->installEventFilter(this);
    // A file dropped on a text box is data to load, not text to insert.
    for (QLineEdit* box : client->findChildren<QLineEdit*>()) box->setAcceptDrops(false);

    connectCommands();
    resize(twipsToPixels(kClientWidth, twips_.x),
           twipsToPixels(kClientHeight, twips_.y) + menuBar()->sizeHint().height());
    startSession();
}

// The grids read the session until they are gone, so they go before it. A box losing
// the focus as it goes is no box left by the user.
MainWindow::~MainWindow()
{
    for (QLineEdit* box : {ui_.acidConcentration, ui_.initialVolume}) box->removeEventFilter(this);
    delete centralWidget();
}

void MainWindow::connectCommands()
{
    const CommandActions& a = actions_;
    connect(a.loadCalibrationData, &QAction::triggered, this, &MainWindow::loadCalibrationData);
    connect(a.loadAdjustmentData, &QAction::triggered, this, &MainWindow::loadAdjustmentData);
    connect(a.saveCalibrationData, &QAction::triggered, this, &MainWindow::saveCalibrationData);
    connect(a.saveAdjustedData, &QAction::triggered, this, &MainWindow::saveAdjustedData);
    connect(a.saveAdjustmentReadings, &QAction::triggered, this, &MainWindow::saveAdjustmentReadings);
    connect(a.exportPlot, &QAction::triggered, this, &MainWindow::exportPlot);
    connect(a.saveReport, &QAction::triggered, this, &MainWindow::saveReport);
    connect(a.print, &QAction::triggered, this, &MainWindow::printResults);
    connect(a.exit, &QAction::triggered, this, &QWidget::close);
    connect(a.addCalibrationPoint, &QAction::triggered, this, &MainWindow::addCalibrationPoint);
    connect(a.deleteCalibrationPoint, &QAction::triggered, this, &MainWindow::deleteCalibrationPoint);
    connect(a.calibrate, &QAction::triggered, this, &MainWindow::calibrate);
    connect(a.addAdjustmentPoint, &QAction::triggered, this, &MainWindow::addAdjustmentPoint);
    connect(a.deleteAdjustmentPoint, &QAction::triggered, this, &MainWindow::deleteAdjustmentPoint);
    connect(a.adjustData, &QAction::triggered, this, &MainWindow::adjustData);
    connect(a.help, &QAction::triggered, this, &MainWindow::showHelp);
    // The change shows: no question comes first, as it does for a deletion.
    connect(a.toggleExclusion, &QAction::triggered, this, [this] {
        ui_.tabs->selectTab(0);
        ui_.calibrationGrid->toggleExclusion();
    });
    connect(a.fitDetails, &QAction::triggered, this, &MainWindow::showFitDetails);
    connect(a.recordInLogbook, &QAction::triggered, this, &MainWindow::recordInLogbook);
    connect(a.logbook, &QAction::triggered, this, &MainWindow::showLogbook);
    ui_.calibrationGrid->addAction(a.toggleExclusion);
    connect(a.about, &QAction::triggered, this, &MainWindow::showAbout);
    connect(a.recentFiles, &QMenu::aboutToShow, this, &MainWindow::fillRecentFiles);

    // A value still being typed lands first, so undo takes back the latest change.
    connect(a.undo, &QAction::triggered, this, [this] { undoOrRedo(true); });
    connect(a.redo, &QAction::triggered, this, [this] { undoOrRedo(false); });
    connect(ui_.calibrationGrid, &CalibrationGrid::pointAdded, this, [this] {
        ui_.calibrationPanel->setVisible(true);
        ui_.startHint->hide();
    });
    connect(ui_.tabs, &TabStrip::tabSelected, this, &MainWindow::onTabSelected);
    for (PointSetGrid* grid : std::initializer_list<PointSetGrid*>{ui_.calibrationGrid, ui_.adjustmentGrid})
        connect(grid, &PointSetGrid::pointsChanged, this, &MainWindow::showSession);
    // Text pasted or undone with the mouse releases no key, yet the fit and a save must
    // use what the box shows.
    for (QLineEdit* box : {ui_.acidConcentration, ui_.initialVolume})
        connect(box, &QLineEdit::textEdited, this, &MainWindow::readConstants);

    const QList<QAction*> shortcuts{a.saveCalibrationData,
                                    a.saveAdjustedData,
                                    a.print,
                                    a.addCalibrationPoint,
                                    a.deleteCalibrationPoint,
                                    a.calibrate,
                                    a.addAdjustmentPoint,
                                    a.deleteAdjustmentPoint,
                                    a.adjustData,
                                    a.undo,
                                    a.redo,
                                    a.toggleExclusion};
    qApp->installEventFilter(new MenuShortcutFilter(this, shortcuts));
}

void MainWindow::finishEdits()
{
    ui_.calibrationGrid->finishEdit();
    ui_.adjustmentGrid->finishEdit();
}

// Save runs the save command; a save cancelled or failed leaves the data unsaved and
// the window open.
bool MainWindow::saveOrDiscardChanges()
{
    finishEdits();
    return saveOrDiscard(0) && saveOrDiscard(1);
}

bool MainWindow::saveOrDiscard(std::size_t set)
{
    finishEdits();
    const bool calibration = set == 0;
    if (!(calibration ? session_.calibration().unsaved() : session_.adjustment().unsaved())) return true;
    const PlatformServices::SaveChoice choice = platform_.askToSave(
        calibration ? tr("Save changes to calibration data?") : tr("Save changes to adjustment data?"));
    if (choice == PlatformServices::SaveChoice::Cancel) return false;
    if (choice == PlatformServices::SaveChoice::Discard) return true;
    calibration ? saveCalibrationData() : saveAdjustmentReadings();
    return !(calibration ? session_.calibration().unsaved() : session_.adjustment().unsaved());
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (saveOrDiscardChanges())
        event->accept();
    else
        event->ignore();
}

void MainWindow::startSession()
{
    placePanels();
    ui_.calibrationPanel->raise();
    session_.setDataDirectory(readDataDirectory(platform_.settings(), platform_.programFolder().toStdString()));
    showSession();
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    fitToSize();
}

void MainWindow::fitToSize()
{
    // The toolbar spans the client area as a toolbar aligned to the top does.
    actions_.toolBar->resize(centralWidget()->width(), actions_.toolBar->height());

    // Sizes that come out negative on a tiny window are skipped; the rest goes on.
    const int tabWidth = width() - twipsToPixels(60, twips_.x);
    const int tabHeight = height() - twipsToPixels(1140, twips_.y);
    if (tabWidth >= 0) ui_.tabs->resize(tabWidth, ui_.tabs->height());
    if (tabHeight >= 0) ui_.tabs->resize(ui_.tabs->width(), tabHeight);
    placePanels();

    QWidget* const graph = ui_.graph;
    const int graphWidth = ui_.calibrationPanel->width() - graph->x() - twipsToPixels(60, twips_.x);
    const int graphHeight = ui_.calibrationPanel->height() - graph->y() - twipsToPixels(60, twips_.y);
    if (graphWidth >= 0) graph->resize(graphWidth, graph->height());
    if (graphHeight >= 0) graph->resize(graph->width(), graphHeight);

    fitGridHeight(*ui_.calibrationGrid);
    fitGridWidth(*ui_.calibrationGrid);
    redrawPlots();
}

void MainWindow::placePanels()
{
    const QRect client = ui_.tabs->clientArea();
    ui_.calibrationPanel->setGeometry(client);
    ui_.adjustmentPanel->setGeometry(client);
    ui_.startHint->setGeometry(client);
}

void MainWindow::updateCommandStates()
{
    const Calibration& calibration = session_.calibration();
    const bool calibrationFile = calibration.file().has_value();
    const bool adjustmentFile = session_.adjustment().file().has_value();

    for (QAction* command : {actions_.loadAdjustmentData, actions_.saveCalibrationData, actions_.exportPlot,
                             actions_.saveReport, actions_.print, actions_.toggleExclusion})
        command->setEnabled(calibrationFile);
    // Points typed without a file are calibrated once saved.
    actions_.calibrate->setEnabled(calibrationFile || calibration.count() > 0);
    const CalibrationRecord* record = calibration.record().get();
    actions_.fitDetails->setEnabled(record && record->statistics);
    actions_.recordInLogbook->setEnabled(mayRecord());

    // The items follow their menu so that their shortcuts rest with it.
    for (QAction* command :
         {actions_.adjustmentMenu->menuAction(), actions_.addAdjustmentPoint, actions_.deleteAdjustmentPoint,
          actions_.adjustData, actions_.saveAdjustedData, actions_.saveAdjustmentReadings})
        command->setEnabled(adjustmentFile);

    ui_.calibrationPanel->setVisible(calibrationFile || calibration.count() > 0);
    ui_.adjustmentPanel->setVisible(adjustmentFile);
    ui_.tabs->setVisible(adjustmentFile);
    ui_.startHint->setVisible(!ui_.calibrationPanel->isVisibleTo(this) && !adjustmentFile);
}

void MainWindow::onTabSelected(int index)
{
    (index == 0 ? ui_.calibrationPanel : ui_.adjustmentPanel)->raise();
    if (index == 0) redrawPlots();
}

void MainWindow::redrawPlots()
{
    if (!ui_.calibrationPanel->isVisible()) return;
    ui_.graph->setFaded(plotSource(session_).faded);
    drawCalibrationPlots(ui_.graph->surface(), mapping_, extents_, session_, plotTitle(session_));
    ui_.graph->update();
}

void MainWindow::showSession()
{
    showConstants();
    showCaptions();
    ui_.calibrationGrid->refreshMarks();
    ui_.adjustmentGrid->showAdjusted();
    ui_.adjustmentGrid->refreshMarks();
    updateCommandStates();
    redrawPlots();
    showUndoState();
    if (auto* dialog = findChild<FitDetailsDialog*>()) dialog->showStatistics();
    showVerdict();
    // The status bar appears only for something to say.
    std::string line = statusLine(session_);
    if (const LogbookEntry* entry = recordedEntry())
        line = line.empty() ? entry->verdict : line + "; " + entry->verdict;
    if (!line.empty())
        statusBar()->showMessage(qStringOf(line));
    else if (auto* bar = findChild<QStatusBar*>())
        bar->clearMessage();
}

void MainWindow::showCaptions()
{
    auto show = [](QLabel* label, const std::string& text) {
        label->setText(qStringOf(text));
        label->adjustSize();
    };
    const Captions captions = parameterCaptions(session_);
    show(ui_.calibrationFileName, fileCaption(session_.calibration().file()));
    show(ui_.calibrationDataEnd, calibrationDataEndNote(session_));
    show(ui_.adjustmentFileName, fileCaption(session_.adjustment().file()));
    show(ui_.calibrationInForce, calibrationInForceText(session_));
    show(ui_.ezero, captions.parameter[kEzero]);
    show(ui_.slope, captions.parameter[kSlope]);
    show(ui_.jCorrection, captions.parameter[kJcorr]);
    show(ui_.rmsError, captions.rmsError);
    // Results of the data as they were, greyed until the next calibration.
    const bool outOfDate = session_.calibration().outOfDate();
    for (QLabel* caption : {ui_.ezero, ui_.slope, ui_.jCorrection, ui_.rmsError}) caption->setEnabled(!outOfDate);
}

// The boxes show the constants as the session holds them, unless they say so already:
// setting a box's text would move its cursor.
void MainWindow::showConstants()
{
    const std::array<QLineEdit*, 2> boxes{ui_.acidConcentration, ui_.initialVolume};
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        const QString text = qStringOf(session_.calibration().constantTexts()[i]);
        if (boxes[i]->text() != text) boxes[i]->setText(text);
    }
}

void MainWindow::showUndoState()
{
    const EditHistory& history = session_.history();
    const EditStep* undo = history.nextUndo();
    const EditStep* redo = history.nextRedo();
    actions_.undo->setEnabled(undo != nullptr);
    actions_.redo->setEnabled(redo != nullptr);
    actions_.undo->setText(tr("&Undo %1").arg(undo ? qStringOf(editName(*undo)) : QString()).trimmed());
    actions_.redo->setText(tr("&Redo %1").arg(redo ? qStringOf(editName(*redo)) : QString()).trimmed());
}

void MainWindow::undoOrRedo(bool undo)
{
    finishEdits();
    const std::optional<EditStep> step = undo ? session_.undo() : session_.redo();
    if (!step) return;
    const bool calibration = step->set == DataSet::Calibration;
    PointSetGrid* grid = calibration ? static_cast<PointSetGrid*>(ui_.calibrationGrid) : ui_.adjustmentGrid;
    grid->fill();
    if (step->cell.row > 0) grid->setCurrentCell(step->cell.row, step->cell.col);
    showSession();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    const bool box = watched == ui_.acidConcentration || watched == ui_.initialVolume;
    if (box && event->type() == QEvent::KeyRelease && !static_cast<QKeyEvent*>(event)->isAutoRepeat()) readConstants();
    // Leaving a box checks it; a message box taking the focus does not.
    if (box && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            checkConstant(watched == ui_.acidConcentration ? 0 : 1);
    }
    return QMainWindow::eventFilter(watched, event);
}

// Both boxes are read, the acid concentration first, on every key released in either;
// what they hold is checked only when the user leaves a box or calibrates.
void MainWindow::readConstants()
{
    const std::array<QLineEdit*, 2> boxes{ui_.acidConcentration, ui_.initialVolume};
    bool changed = false;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        const QString text = boxes[i]->text();
        changed = changed || text != qStringOf(session_.calibration().constantTexts()[i]);
        session_.setConstantText(static_cast<int>(i), text.toStdString());
    }
    if (!changed) return;
    showSession();
}

// A text that is no number is reported once; an empty box waits for Calibrate's beep.
void MainWindow::checkConstant(int which)
{
    readConstants();
    const auto i = static_cast<std::size_t>(which);
    const std::string& text = session_.calibration().constantTexts()[i];
    if (text.find_first_not_of(" \t") == std::string::npos || textToNumber(text, session_.regional()).wasNumber()) {
        constantComplaint_[i].reset();
        return;
    }
    if (constantComplaint_[i] == qStringOf(text)) return;
    constantComplaint_[i] = qStringOf(text);
    CalibrationReport invalid;
    invalid.outcome = CalibrationOutcome::InvalidConstant;
    invalid.missingConstant = which;
    platform_.showMessage(qStringOf(calibrationMessage(invalid)));
}

void MainWindow::showHelp() { platform_.showHelp(); }

void MainWindow::showAbout()
{
    const QString text = QStringLiteral("<h3>Quorlin %1</h3><p>%2</p><p>%3</p><p>%4</p>")
                             .arg(QStringLiteral(QUORLIN_VERSION),
                                  tr("Glass electrode calibration for low pH and adjustment of electrode readings."),
                                  tr("Free software under the GNU General Public License, version 3 or later "
                                     "(GPL-3.0-or-later)."),
                                  tr("Qt %1").arg(QString::fromLatin1(qVersion())));
    platform_.showAbout(tr("About Quorlin"), text);
}

}  // namespace quorlin
