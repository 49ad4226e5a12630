#include "logbook_window.h"

#include "io/file_replacement.h"
#include "logbook/logbook.h"
#include "logbook/utc_time.h"
#include "painter_surface.h"
#include "platform_services.h"
#include "plot_output.h"
#include "ui/grids/qt_text.h"
#include "wording/logbook_text.h"
#include "wording/messages.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

namespace quorlin {

namespace {

constexpr QSize kPlotExportSize{1600, 1200};

// A cell that shows a number rounded and sorts by the number itself; its tip gives the
// number as recorded.
class NumberItem final : public QTableWidgetItem {
public:
    NumberItem(double value, int decimals, const QString& exact)
        : QTableWidgetItem(std::isfinite(value) ? QString::number(value, 'f', decimals) : exact), value_(value)
    {
        setToolTip(exact);
        setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    bool operator<(const QTableWidgetItem& other) const override
    {
        const auto* number = dynamic_cast<const NumberItem*>(&other);
        return number ? value_ < number->value_ : QTableWidgetItem::operator<(other);
    }

private:
    double value_;
};

QTableWidgetItem* numberItem(double value, int decimals)
{
    return new NumberItem(value, decimals, qStringOf(exactNumberText(value)));
}

QTableWidgetItem* textItem(const std::string& text) { return new QTableWidgetItem(qStringOf(text)); }

}  // namespace

TrendPlots::TrendPlots(const RegionalSettings& regional, QWidget* parent) : QWidget(parent), regional_(regional)
{
    setMinimumSize(400, 300);
}

void TrendPlots::show(std::vector<LogbookEntry> entries, const ElectrodeLimits& limits)
{
    entries_ = std::move(entries);
    limits_ = limits;
    update();
}

void TrendPlots::paintEvent(QPaintEvent*)
{
    PaintSurface surface(size(), logicalDpiX(), Qt::white);
    drawLogbookTrends(surface, entries_, limits_, regional_);
    QPainter(this).drawImage(0, 0, surface.image());
}

LogbookWindow::LogbookWindow(PlatformServices& platform, QWidget* parent)
    : QWidget(parent, Qt::Window), platform_(platform)
{
    setWindowTitle(tr("Logbook"));
    electrodes_ = new QComboBox;
    electrodes_->setMinimumContentsLength(12);
    connect(electrodes_, &QComboBox::currentTextChanged, this, &LogbookWindow::showElectrode);
    auto* exportTable = new QPushButton(tr("Export table as CSV…"));
    auto* exportPlots = new QPushButton(tr("Export plots…"));
    auto* refresh = new QPushButton(tr("Refresh"));
    connect(exportTable, &QPushButton::clicked, this, &LogbookWindow::exportTable);
    connect(exportPlots, &QPushButton::clicked, this, &LogbookWindow::exportPlots);
    connect(refresh, &QPushButton::clicked, this, [this] { showLogbook(path_); });
    auto* top = new QHBoxLayout;
    auto* electrodeLabel = new QLabel(tr("&Electrode:"));
    electrodeLabel->setBuddy(electrodes_);
    top->addWidget(electrodeLabel);
    top->addWidget(electrodes_);
    top->addStretch(1);
    top->addWidget(exportTable);
    top->addWidget(exportPlots);
    top->addWidget(refresh);

    banner_ = new QLabel;
    banner_->setStyleSheet("QLabel { background: #fff3c4; color: #000; padding: 6px; font-weight: bold; }");
    banner_->hide();

    table_ = new QTableWidget(0, 12);
    table_->setHorizontalHeaderLabels({tr("Entry"), tr("Time"), tr("Operator"), tr("Note"), tr("°C"), tr("Ezero"),
                                       tr("Slope"), tr("% Nernst"), tr("j corr"), tr("rms"), tr("Verdict"),
                                       tr("File")});
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSortingEnabled(true);
    table_->sortByColumn(0, Qt::AscendingOrder);
    table_->verticalHeader()->hide();
    table_->setWordWrap(false);
    table_->horizontalHeader()->setStretchLastSection(true);
    plots_ = new TrendPlots(platform.regional(), this);

    auto* split = new QSplitter(Qt::Vertical);
    split->addWidget(table_);
    split->addWidget(plots_);
    split->setStretchFactor(1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(banner_);
    layout->addWidget(split, 1);
    resize(1000, 760);
}

void LogbookWindow::showLogbook(const std::string& path, const std::string& electrode)
{
    path_ = path;
    const QString wanted = electrode.empty() ? electrodes_->currentText() : qStringOf(electrode);
    std::vector<std::string> names;
    try {
        names = Logbook(path, Logbook::Access::Read).electrodes();
    } catch (const LogbookError& error) {
        platform_.showMessage(qStringOf(logbookErrorText(error)));
    }
    const QSignalBlocker quiet(electrodes_);
    electrodes_->clear();
    for (const std::string& name : names) electrodes_->addItem(qStringOf(name));
    if (const int at = electrodes_->findText(wanted); at >= 0) electrodes_->setCurrentIndex(at);
    showElectrode();
}

void LogbookWindow::showElectrode()
{
    const std::string electrode = electrodes_->currentText().toStdString();
    std::vector<LogbookEntry> entries;
    ElectrodeLimits limits;
    std::string banner;
    if (!electrode.empty()) {
        try {
            const Logbook logbook(path_, Logbook::Access::Read);
            entries = logbook.entries({electrode, std::nullopt});
            limits = logbook.limits(electrode);
            banner = validityBanner(logbook, electrode, nowSeconds());
        } catch (const LogbookError& error) {
            banner = logbookErrorText(error);
        }
    }
    banner_->setText(qStringOf(banner));
    banner_->setVisible(!banner.empty());

    table_->setSortingEnabled(false);
    table_->setRowCount(static_cast<int>(entries.size()));
    for (int row = 0; row < table_->rowCount(); ++row) {
        const LogbookEntry& e = entries[static_cast<std::size_t>(row)];
        auto* verdict = textItem(e.verdict);
        verdict->setToolTip(qStringOf(e.verdict));
        if (!e.passed) verdict->setForeground(QColor(192, 0, 0));
        QTableWidgetItem* cells[] = {numberItem(static_cast<double>(e.number), 0),
                                     textItem(localTimeText(e.time)),
                                     textItem(e.operatorName),
                                     textItem(e.note),
                                     e.temperature ? numberItem(*e.temperature, 1) : textItem(""),
                                     numberItem(e.ezero, 2),
                                     numberItem(e.slope, 3),
                                     numberItem(slopePercent(e), 2),
                                     numberItem(e.jcorr, 1),
                                     numberItem(e.rms, 3),
                                     verdict,
                                     textItem(e.file)};
        for (int column = 0; column < table_->columnCount(); ++column) table_->setItem(row, column, cells[column]);
    }
    table_->setSortingEnabled(true);
    table_->resizeColumnsToContents();
    plots_->show(std::move(entries), limits);
}

QString LogbookWindow::bannerText() const { return banner_->isVisible() ? banner_->text() : QString(); }

void LogbookWindow::exportTable()
{
    FileDialogRequest request;
    request.kind = FileDialogRequest::Kind::Save;
    request.title = tr("Export logbook table");
    request.initialFileName = electrodes_->currentText() + QStringLiteral("-logbook.csv");
    request.filters = {{tr("CSV table (*.csv)"), {"*.csv"}}};
    std::optional<QString> path = platform_.chooseFile(request);
    if (!path) return;
    if (QFileInfo(*path).suffix().isEmpty()) *path += QStringLiteral(".csv");
    const FileOutcome written =
        replaceFileContents(QFile::encodeName(*path).toStdString(), logbookCsv(plots_->entries()));
    if (!written.ok) platform_.showMessage(tr("Could not save %1: %2").arg(*path, qStringOf(fileErrorText(written))));
}

void LogbookWindow::exportPlots()
{
    FileDialogRequest request;
    request.kind = FileDialogRequest::Kind::Save;
    request.title = tr("Export trend plots");
    request.initialFileName = electrodes_->currentText() + QStringLiteral("-trend.png");
    request.filters = {{tr("PNG image (*.png)"), {"*.png"}},
                       {tr("SVG image (*.svg)"), {"*.svg"}},
                       {tr("PDF document (*.pdf)"), {"*.pdf"}}};
    std::optional<QString> path = platform_.chooseFile(request);
    if (!path) return;
    static const QStringList kSuffixes{"png", "svg", "pdf"};
    QString suffix = QFileInfo(*path).suffix().toLower();
    if (!kSuffixes.contains(suffix)) {
        suffix = kSuffixes.value(static_cast<int>(request.selectedFilter), "png");
        *path += '.' + suffix;
    }
    const PlotDrawing draw = [this](Surface& surface) {
        drawLogbookTrends(surface, plots_->entries(), plots_->limits(), platform_.regional());
    };
    QByteArray bytes;
    if (suffix == "svg")
        bytes = QByteArray::fromStdString(logbookTrendSvg(plots_->entries(), plots_->limits(), platform_.regional(),
                                                          kPlotExportSize.width(), kPlotExportSize.height()));
    else
        bytes = suffix == "png" ? plotPng(draw, kPlotExportSize, Qt::white)
                                : plotPdf(draw, kPlotExportSize, electrodes_->currentText());
    const FileOutcome written = bytes.isEmpty() ? FileOutcome::failure(EIO)
                                                : replaceFileContents(QFile::encodeName(*path).toStdString(),
                                                                      std::string_view(bytes.data(), bytes.size()));
    if (!written.ok) platform_.showMessage(tr("Could not save %1: %2").arg(*path, qStringOf(fileErrorText(written))));
}

}  // namespace quorlin
