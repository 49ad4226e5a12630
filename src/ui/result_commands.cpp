// Exporting and printing the calibration plots.

#include "main_window.h"

#include "io/data_directory.h"
#include "io/file_replacement.h"
#include "platform_services.h"
#include "plot_output.h"
#include "session/plot_export.h"
#include "ui/graph_widget.h"
#include "ui/grids/qt_text.h"
#include "wording/captions.h"
#include "wording/messages.h"
#include "wording/print_page.h"
#include "wording/report.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QPalette>

namespace quorlin {

namespace {

const std::string kExportTypeKey = "exportType";
const std::string kExportWidthKey = "exportWidth";
const std::string kExportHeightKey = "exportHeight";
constexpr QSize kDefaultExportSize{1600, 1200};

struct ExportType {
    QString suffix;  // also its name in the settings
    FileFilter filter;
};

const std::array<ExportType, 3> kExportTypes{
    {{"png", {QT_TRANSLATE_NOOP("MainWindow", "PNG image (*.png)"), {"*.png"}}},
     {"svg", {QT_TRANSLATE_NOOP("MainWindow", "SVG image (*.svg)"), {"*.svg"}}},
     {"pdf", {QT_TRANSLATE_NOOP("MainWindow", "PDF document (*.pdf)"), {"*.pdf"}}}}};

int readSide(const SettingsStore& store, const std::string& key, int fallback)
{
    bool ok = false;
    const int value = QString::fromStdString(store.read(kSettingsApplication, kSettingsSection, key, "")).toInt(&ok);
    return ok && value > 0 ? value : fallback;
}

}  // namespace

void MainWindow::drawPlots(Surface& surface) const
{
    PlotMapping mapping = mapping_;
    PlotExtents extents = extents_;
    drawCalibrationPlots(surface, mapping, extents, session_, plotTitle(session_));
}

void MainWindow::exportPlot()
{
    finishEdits();
    SettingsStore& store = platform_.settings();
    const std::optional<QSize> size =
        platform_.chooseImageSize({readSide(store, kExportWidthKey, kDefaultExportSize.width()),
                                   readSide(store, kExportHeightKey, kDefaultExportSize.height())});
    if (!size) return;
    store.save(kSettingsApplication, kSettingsSection, kExportWidthKey, std::to_string(size->width()));
    store.save(kSettingsApplication, kSettingsSection, kExportHeightKey, std::to_string(size->height()));

    const std::string savedType = store.read(kSettingsApplication, kSettingsSection, kExportTypeKey, "png");
    FileDialogRequest request;
    request.kind = FileDialogRequest::Kind::Save;
    request.title = tr("Export plot");
    request.initialFolder = QString::fromStdString(session_.dataDirectory());
    for (std::size_t i = 0; i < kExportTypes.size(); ++i) {
        request.filters.push_back(kExportTypes[i].filter);
        request.filters.back().label = tr(qUtf8Printable(kExportTypes[i].filter.label));
        if (kExportTypes[i].suffix.toStdString() == savedType) request.selectedFilter = i;
    }
    const QString base = QFileInfo(qStringOf(fileCaption(session_.calibration().file()))).completeBaseName();
    request.initialFileName = base + '.' + kExportTypes.at(request.selectedFilter).suffix;
    std::optional<QString> path = platform_.chooseFile(request);
    if (!path) return;
    // A known suffix typed with the name wins over the type left selected.
    std::size_t chosen = std::min(request.selectedFilter, kExportTypes.size() - 1);
    const QString suffix = QFileInfo(*path).suffix().toLower();
    for (std::size_t i = 0; i < kExportTypes.size(); ++i)
        if (kExportTypes[i].suffix == suffix) chosen = i;
    const ExportType& type = kExportTypes[chosen];
    store.save(kSettingsApplication, kSettingsSection, kExportTypeKey, type.suffix.toStdString());
    if (QFileInfo(*path).suffix().isEmpty()) *path += '.' + type.suffix;

    // The whole file is made before any of it is written, so a failure leaves no half file.
    QByteArray bytes;
    if (type.suffix == "svg") {
        bytes =
            QByteArray::fromStdString(calibrationPlotSvg(session_, plotTitle(session_), size->width(), size->height()));
    } else {
        const PlotDrawing draw = [this](Surface& surface) { drawPlots(surface); };
        // White like the SVG, the PDF and paper: a picture for a page, not a window.
        bytes = type.suffix == "png" ? plotPng(draw, *size, Qt::white) : plotPdf(draw, *size, base);
    }
    if (bytes.isEmpty()) {
        platform_.showMessage(tr("Could not save %1: the plot could not be drawn at this size").arg(*path));
        return;
    }
    writeResultFile(*path, bytes.toStdString(), SavedOutput::Plot);
}

void MainWindow::writeResultFile(const QString& path, const std::string& bytes, SavedOutput output)
{
    saved(path, replaceFileContents(QFile::encodeName(path).toStdString(), bytes), output);
}

// One HTML file with everything a lab notebook needs; it says so when no fit has converged.
void MainWindow::saveReport()
{
    finishEdits();
    FileDialogRequest request;
    request.kind = FileDialogRequest::Kind::Save;
    request.title = tr("Save report");
    request.initialFolder = QString::fromStdString(session_.dataDirectory());
    request.filters = {{tr("HTML report (*.html)"), {"*.html", "*.htm"}}, {tr("All Files (*.*)"), {"*"}}};
    request.initialFileName = QFileInfo(qStringOf(fileCaption(session_.calibration().file()))).completeBaseName()
                              + QStringLiteral("-report.html");
    std::optional<QString> path = platform_.chooseFile(request);
    if (!path) return;
    if (QFileInfo(*path).suffix().isEmpty()) *path += QStringLiteral(".html");
    const ReportContext context{QUORLIN_VERSION, QDateTime::currentDateTime().toString(Qt::ISODate).toStdString()};
    // Written as it is made, so that a report of many points never stands in memory whole.
    saved(*path,
          replaceFileContents(
              QFile::encodeName(*path).toStdString(),
              [&](const ByteSink& sink) { return writeCalibrationReport(session_, context, sink, recordedEntry()); }),
          SavedOutput::Report);
}

void MainWindow::printResults()
{
    finishEdits();
    const ReportContext context{QUORLIN_VERSION,
                                QDateTime::currentDateTime().toString("yyyy-MM-dd HH:mm:ss").toStdString()};
    QStringList lines;
    for (const std::string& line : printedLines(session_, context)) lines << qStringOf(line);
    const CalibrationRecord* record = session_.calibration().record().get();
    const QString name =
        QFileInfo(qStringOf(fileCaption(record ? record->file : session_.calibration().file()))).completeBaseName();
    platform_.print(name, [&](QPainter& painter, QRect area) {
        paintPlotPage(
            painter, area, [this](Surface& surface) { drawPlots(surface); }, lines);
    });
}

}  // namespace quorlin
