#include "main_window.h"

#include "io/data_directory.h"
#include "menu_shortcut_filter.h"
#include "platform_services.h"
#include "tab_strip.h"
#include "ui/graph_widget.h"
#include "ui/grids/adjustment_grid.h"
#include "ui/grids/calibration_grid.h"
#include "ui/grids/grid_sizing.h"
#include "ui/grids/qt_text.h"
#include "undo_commands.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
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

// The grids read the session until they are gone, so they go before it.
MainWindow::~MainWindow() { delete centralWidget(); }

void MainWindow::connectCommands()
{
    const CommandActions& a = actions_;
    connect(a.loadCalibrationData, &QAction::triggered, this, &MainWindow::loadCalibrationData);
    connect(a.loadAdjustmentData, &QAction::triggered, this, &MainWindow::loadAdjustmentData);
    connect(a.saveCalibrationData, &QAction::triggered, this, &MainWindow::saveCalibrationData);
    connect(a.saveAdjustedData, &QAction::triggered, this, &MainWindow::saveAdjustedData);
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
    ui_.calibrationGrid->addAction(a.toggleExclusion);
    // A point left out or taken in changes what the fit would use, as an edit does.
    connect(ui_.calibrationGrid, &CalibrationGrid::exclusionsChanged, this, [this] {
        session_.markCalibrationDataChanged();
        showResultsState();
        redrawPlots();
    });
    connect(a.about, &QAction::triggered, this, &MainWindow::showAbout);
    connect(a.recentFiles, &QMenu::aboutToShow, this, &MainWindow::fillRecentFiles);

    // A value still being typed lands first, so undo takes back the latest change.
    connect(a.undo, &QAction::triggered, this, [this] {
        finishEdits();
        undoStack_.undo();
    });
    connect(a.redo, &QAction::triggered, this, [this] {
        finishEdits();
        undoStack_.redo();
    });
    a.undo->setEnabled(false);
    a.redo->setEnabled(false);
    connect(&undoStack_, &QUndoStack::canUndoChanged, a.undo, &QAction::setEnabled);
    connect(&undoStack_, &QUndoStack::canRedoChanged, a.redo, &QAction::setEnabled);
    connect(&undoStack_, &QUndoStack::undoTextChanged, a.undo,
            [undo = a.undo](const QString& text) { undo->setText(tr("&Undo %1").arg(text).trimmed()); });
    connect(&undoStack_, &QUndoStack::redoTextChanged, a.redo,
            [redo = a.redo](const QString& text) { redo->setText(tr("&Redo %1").arg(text).trimmed()); });
    for (PointSetGrid* grid : std::initializer_list<PointSetGrid*>{ui_.calibrationGrid, ui_.adjustmentGrid})
        connect(grid, &PointSetGrid::pointsEdited, this,
                [this, grid](const GridSnapshot& before, const QString& command) {
                    undoStack_.push(new GridChange(*grid, before, command));
                });
    connect(ui_.calibrationGrid, &CalibrationGrid::pointAdded, this,
            [this] { updateCommandStates(StateChange::PointTyped); });
    connect(ui_.tabs, &TabStrip::tabSelected, this, &MainWindow::onTabSelected);
    connect(ui_.calibrationGrid, &PointSetGrid::pointsChanged, this, [this] {
        changed_[0] = true;
        session_.markCalibrationDataChanged();
        showResultsState();
    });
    connect(ui_.adjustmentGrid, &PointSetGrid::pointsChanged, this, [this] { changed_[1] = true; });
    // Text pasted or undone with the mouse releases no key, yet the fit and a save must
    // use what the box shows.
    const std::array<QLineEdit*, 2> boxes{ui_.acidConcentration, ui_.initialVolume};
    for (int i = 0; i < 2; ++i)
        connect(boxes[static_cast<std::size_t>(i)], &QLineEdit::textEdited, this,
                [this, i](const QString& text) { onConstantEdited(i, text); });

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
    using Save = void (MainWindow::*)();
    const std::array<std::pair<QString, Save>, 2> sets{
        {{tr("Save changes to calibration data?"), &MainWindow::saveCalibrationData},
         {tr("Save changes to adjustment data?"), &MainWindow::saveAdjustedData}}};
    for (std::size_t i = 0; i < sets.size(); ++i) {
        if (!changed_[i]) continue;
        const PlatformServices::SaveChoice choice = platform_.askToSave(sets[i].first);
        if (choice == PlatformServices::SaveChoice::Cancel) return false;
        if (choice == PlatformServices::SaveChoice::Discard) continue;
        (this->*sets[i].second)();
        if (changed_[i]) return false;
    }
    return true;
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
    updateCommandStates();
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
}

void MainWindow::updateCommandStates(StateChange change)
{
    if (change == StateChange::PointTyped) {
        ui_.calibrationPanel->setVisible(true);
        actions_.calibrate->setEnabled(true);
        return;
    }
    const bool calibrationFile = session_.captions().fileName[0] != Captions::kNone;
    const bool adjustmentFile = session_.captions().fileName[1] != Captions::kNone;

    for (QAction* command : {actions_.loadAdjustmentData, actions_.saveCalibrationData, actions_.exportPlot,
                             actions_.saveReport, actions_.print, actions_.calibrate, actions_.toggleExclusion})
        command->setEnabled(calibrationFile);
    actions_.fitDetails->setEnabled(session_.lastStatistics().has_value());

    // The items follow their menu so that their shortcuts rest with it.
    for (QAction* command : {actions_.adjustmentMenu->menuAction(), actions_.addAdjustmentPoint,
                             actions_.deleteAdjustmentPoint, actions_.adjustData})
        command->setEnabled(adjustmentFile);
    // Adjusted data exist only once a calibration has converged.
    actions_.saveAdjustedData->setEnabled(adjustmentFile && session_.canAdjust());

    ui_.calibrationPanel->setVisible(calibrationFile);
    ui_.adjustmentPanel->setVisible(adjustmentFile);
}

void MainWindow::onTabSelected(int index)
{
    (index == 0 ? ui_.calibrationPanel : ui_.adjustmentPanel)->raise();
    if (index == 0) redrawPlots();
}

void MainWindow::redrawPlots()
{
    drawCalibrationPlots(ui_.graph->surface(), mapping_, extents_, session_.calibration(),
                         session_.captions().fileName[0], actions_.loadAdjustmentData->isEnabled(), session_.regional(),
                         session_.exclusions());
    ui_.graph->update();
}

void MainWindow::showCaptions()
{
    auto show = [](QLabel* label, const std::string& text) {
        label->setText(qStringOf(text));
        label->adjustSize();
    };
    const Captions& captions = session_.captions();
    show(ui_.calibrationFileName, captions.fileName[0]);
    show(ui_.adjustmentFileName, captions.fileName[1]);
    show(ui_.ezero, captions.parameter[kEzero]);
    show(ui_.slope, captions.parameter[kSlope]);
    show(ui_.jCorrection, captions.parameter[kJcorr]);
    show(ui_.rmsError, captions.rmsError);
    showResultsState();
}

void MainWindow::showResultsState()
{
    // Without captions there is nothing to be out of date.
    const bool outOfDate = session_.resultsOutOfDate() && session_.captions().parameter[kEzero] != Captions::kNone;
    for (QLabel* caption : {ui_.ezero, ui_.slope, ui_.jCorrection, ui_.rmsError}) caption->setEnabled(!outOfDate);
    ui_.graph->setFaded(outOfDate);
    const QString note = tr("Data changed since this calibration");
    if (outOfDate)
        statusBar()->showMessage(note);
    else if (findChild<QStatusBar*>() && statusBar()->currentMessage() == note)
        statusBar()->clearMessage();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyRelease && !static_cast<QKeyEvent*>(event)->isAutoRepeat()
        && (watched == ui_.acidConcentration || watched == ui_.initialVolume))
        readConstants();
    return QMainWindow::eventFilter(watched, event);
}

// Both boxes are read, the acid concentration first, on every key released in either.
void MainWindow::readConstants()
{
    const std::array<QLineEdit*, 2> boxes{ui_.acidConcentration, ui_.initialVolume};
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        const QString text = boxes[i]->text();
        const NumberEntry entry = session_.setConstantText(static_cast<int>(i), text.toStdString());
        if (!entry.outOfRange) {
            constantComplaint_[i].reset();
        } else if (constantComplaint_[i] != text) {
            constantComplaint_[i] = text;
            platform_.showMessage(qStringOf(kInvalidEntryMessage));
        }
    }
}

void MainWindow::onConstantEdited(int which, const QString& text)
{
    const QString before = qStringOf(session_.constantTexts()[static_cast<std::size_t>(which)]);
    setConstant(which, text);
    undoStack_.push(new ConstantChange(
        which, before, text, [this](int box, const QString& typed) { setConstant(box, typed); },
        which == 0 ? tr("Change acid concentration") : tr("Change initial volume")));
}

// The box shows the text, which the session reads.
void MainWindow::setConstant(int which, const QString& text)
{
    QLineEdit* box = which == 0 ? ui_.acidConcentration : ui_.initialVolume;
    if (box->text() != text) box->setText(text);
    session_.setConstantText(which, text.toStdString());
    changed_[0] = true;
    showResultsState();
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
