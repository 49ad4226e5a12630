// The statistics of the calibration in force in a window of their own.

#include "main_window.h"

#include "fit_details_dialog.h"

namespace quorlin {

void MainWindow::showFitDetails()
{
    auto* dialog = findChild<FitDetailsDialog*>();
    if (!dialog) dialog = new FitDetailsDialog(session_, this);
    dialog->showStatistics();
    dialog->show();
    dialog->raise();
}

}  // namespace quorlin
