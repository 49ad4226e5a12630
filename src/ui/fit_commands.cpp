// The statistics of the fit in the window: marks, status line and the Fit details dialog.

#include "main_window.h"

#include "fit_details_dialog.h"
#include "session/fit_details.h"
#include "ui/grids/calibration_grid.h"
#include "ui/grids/qt_text.h"

#include <QStatusBar>

namespace quorlin {

void MainWindow::showFitDetails()
{
    auto* dialog = findChild<FitDetailsDialog*>();
    if (!dialog) dialog = new FitDetailsDialog(session_, this);
    dialog->showStatistics();
    dialog->show();
    dialog->raise();
}

void MainWindow::showFitStatistics()
{
    ui_.calibrationGrid->refreshMarks();
    if (auto* dialog = findChild<FitDetailsDialog*>()) dialog->showStatistics();
    const std::optional<FitStatistics>& statistics = session_.lastStatistics();
    const std::string warning = statistics ? precisionWarning(*session_.lastFit(), *statistics) : std::string();
    // The status bar appears only for something to say; a warning of an earlier fit goes.
    if (!warning.empty())
        statusBar()->showMessage(qStringOf(warning));
    else if (auto* bar = findChild<QStatusBar*>();
             bar && bar->currentMessage().startsWith(qStringOf(kPrecisionWarningStart)))
        bar->clearMessage();
}

}  // namespace quorlin
