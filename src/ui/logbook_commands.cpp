// Recording calibrations in the electrode logbook and showing it.

#include "main_window.h"

#include "logbook/logbook.h"
#include "logbook_dialog.h"
#include "logbook_window.h"
#include "platform_services.h"
#include "ui/grids/qt_text.h"
#include "wording/logbook_text.h"

#include <QLabel>

namespace quorlin {

void MainWindow::recordInLogbook()
{
    finishEdits();
    if (!mayRecord()) return;
    SettingsStore& store = platform_.settings();
    LogbookChoices choices = LogbookChoices::read(store);
    std::vector<std::string> electrodes;
    try {
        electrodes = Logbook(choices.path(), Logbook::Access::Read).electrodes();
    } catch (const LogbookError&) {
        // Said when recording, where it matters.
    }
    LogbookDialog dialog(choices, electrodes, platform_, this);
    if (dialog.exec() != QDialog::Accepted) return;
    choices = dialog.choices();
    choices.save(store);
    record(choices);
}

bool MainWindow::mayRecord() const
{
    const Calibration& calibration = session_.calibration();
    return calibration.record() && !calibration.outOfDate();
}

void MainWindow::recordAutomatically()
{
    const LogbookChoices choices = LogbookChoices::read(platform_.settings());
    if (choices.automatic && !choices.electrode.empty() && mayRecord()) record(choices);
}

void MainWindow::record(const LogbookChoices& choices)
{
    const std::optional<std::optional<double>> temperature =
        typedTemperature(choices.temperature, platform_.regional().decimalSeparator);
    const LogbookRequest request{choices.electrode, choices.operatorName, choices.note,
                                 temperature.value_or(std::nullopt), std::nullopt};
    try {
        Logbook logbook(choices.path(), Logbook::Access::Write);
        recorded_ = {session_.calibration().record(), recordCalibration(logbook, session_, request, QUORLIN_VERSION)};
    } catch (const LogbookError& error) {
        platform_.showMessage(qStringOf(logbookErrorText(error)));
        return;
    }
    showSession();
    if (auto* window = findChild<LogbookWindow*>()) window->showLogbook(choices.path(), choices.electrode);
}

const LogbookEntry* MainWindow::recordedEntry() const
{
    return recorded_.record && recorded_.record == session_.calibration().record() ? &recorded_.entry : nullptr;
}

void MainWindow::showVerdict()
{
    const LogbookEntry* entry = recordedEntry();
    if (!entry) {
        if (verdict_) verdict_->hide();
        return;
    }
    if (!verdict_) {
        verdict_ = new QLabel(ui_.calibrationPanel);
        verdict_->move(ui_.rmsError->x(), ui_.rmsError->y() + ui_.rmsError->height() + 2);
    }
    verdict_->setText(tr("Entry %1: %2").arg(entry->number).arg(qStringOf(entry->verdict)));
    verdict_->setStyleSheet(entry->passed ? QString() : QStringLiteral("QLabel { color: #c00000; }"));
    verdict_->adjustSize();
    verdict_->setEnabled(!session_.calibration().outOfDate());
    verdict_->show();
}

void MainWindow::showLogbook()
{
    auto* window = findChild<LogbookWindow*>();
    if (!window) window = new LogbookWindow(platform_, this);
    const LogbookChoices choices = LogbookChoices::read(platform_.settings());
    window->showLogbook(choices.path(), choices.electrode);
    window->show();
    window->raise();
}

}  // namespace quorlin
