// Opening data files other than through the load commands: the command line, drag and
// drop, and the recent files.

#include "main_window.h"

#include "platform_services.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMimeData>

namespace quorlin {

namespace {

// The one local file dragged, if that is what is dragged.
std::optional<QString> draggedFile(const QMimeData* data)
{
    if (!data || !data->hasUrls() || data->urls().size() != 1 || !data->urls().front().isLocalFile()) return {};
    return data->urls().front().toLocalFile();
}

bool isWithin(const QWidget* widget, const QWidget* panel)
{
    return widget && panel->isVisible() && (widget == panel || panel->isAncestorOf(widget));
}

}  // namespace

void MainWindow::openFiles(const QStringList& paths)
{
    if (!paths.isEmpty() && openCalibrationFile(QFileInfo(paths.front()).absoluteFilePath()) && paths.size() > 1)
        openAdjustmentFile(QFileInfo(paths.at(1)).absoluteFilePath());
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (draggedFile(event->mimeData())) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event)
{
    const std::optional<QString> path = draggedFile(event->mimeData());
    if (!path) return;
    event->acceptProposedAction();
    const QWidget* target = childAt(event->position().toPoint());
    using Kind = PlatformServices::DataKind;
    std::optional<Kind> kind;
    if (target == ui_.startHint || isWithin(target, ui_.calibrationPanel))
        kind = Kind::Calibration;
    else if (isWithin(target, ui_.adjustmentPanel))
        kind = Kind::Adjustment;
    else
        kind = platform_.askDataKind(*path);
    if (kind == Kind::Calibration)
        openCalibrationFile(*path);
    else if (kind == Kind::Adjustment)
        openAdjustmentFile(*path);
}

// Data for adjustment can be opened only where the load command could.
void MainWindow::fillRecentFiles()
{
    QMenu* menu = actions_.recentFiles;
    menu->clear();
    const std::array<QString, 2> headings{tr("Calibration data"), tr("Data for adjustment")};
    for (std::size_t set = 0; set < recentFiles_.size(); ++set) {
        const QStringList paths = recentFiles_[set].paths();
        if (!paths.isEmpty()) menu->addSection(headings[set]);
        for (const QString& path : paths) {
            QAction* item = menu->addAction(QString(path).replace('&', QStringLiteral("&&")), this, [this, set, path] {
                if (set == 0)
                    openCalibrationFile(path);
                else
                    openAdjustmentFile(path);
            });
            item->setEnabled(set == 0 || actions_.loadAdjustmentData->isEnabled());
        }
    }
    if (menu->isEmpty()) menu->addAction(tr("No recent files"))->setEnabled(false);
}

}  // namespace quorlin
