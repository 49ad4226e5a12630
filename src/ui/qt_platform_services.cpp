#include "qt_platform_services.h"

#include "help_window.h"
#include "regional_settings.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QLocale>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QSpinBox>

namespace quorlin {

namespace {

const QString kProgramName = QStringLiteral("Quorlin");

// Qt reads the patterns from the last parentheses; the label keeps its own.
QStringList nameFilters(const std::vector<FileFilter>& filters)
{
    QStringList list;
    for (const FileFilter& f : filters) list << f.label + " (" + f.patterns.join(' ') + ')';
    return list;
}

}  // namespace

QtPlatformServices::QtPlatformServices() : regional_(regionalSettingsFrom(QLocale::system())) {}

QtPlatformServices::~QtPlatformServices() { delete help_.data(); }

void QtPlatformServices::setParentWindow(QWidget* window) { parent_ = window; }

void QtPlatformServices::beep() { QApplication::beep(); }

void QtPlatformServices::showMessage(const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, kProgramName, text, QMessageBox::Ok, parent_);
    box.exec();
}

bool QtPlatformServices::askYesNo(const QString& text, const QString& title)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Yes | QMessageBox::No, parent_);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

bool QtPlatformServices::askBeforeRisk(const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, kProgramName, text, QMessageBox::Yes | QMessageBox::No, parent_);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

PlatformServices::SaveChoice QtPlatformServices::askToSave(const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, kProgramName, text,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent_);
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Save: return SaveChoice::Save;
    case QMessageBox::Discard: return SaveChoice::Discard;
    default: return SaveChoice::Cancel;  // also Escape and the close button
    }
}

std::optional<PlatformServices::DataKind> QtPlatformServices::askDataKind(const QString& path)
{
    QMessageBox box(QMessageBox::NoIcon, kProgramName, tr("Load %1 as").arg(path), QMessageBox::Cancel, parent_);
    const QAbstractButton* calibration = box.addButton(tr("Data for calibration"), QMessageBox::AcceptRole);
    const QAbstractButton* adjustment = box.addButton(tr("Data for adjustment"), QMessageBox::AcceptRole);
    box.exec();
    if (box.clickedButton() == calibration) return DataKind::Calibration;
    if (box.clickedButton() == adjustment) return DataKind::Adjustment;
    return std::nullopt;
}

void QtPlatformServices::showAbout(const QString& title, const QString& text)
{
    QMessageBox::about(parent_, title, text);
}

std::optional<QString> QtPlatformServices::chooseFile(FileDialogRequest& request)
{
    QFileDialog dialog(parent_, request.title, request.initialFolder);
    // Qt's own dialog behaves alike on every desktop and can hide the pattern lists.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    const QStringList filters = nameFilters(request.filters);
    dialog.setNameFilters(filters);
    if (request.selectedFilter < std::size_t(filters.size()))
        dialog.selectNameFilter(filters[qsizetype(request.selectedFilter)]);

    const bool save = request.kind == FileDialogRequest::Kind::Save;
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!request.initialFileName.isEmpty()) dialog.selectFile(request.initialFileName);

    for (;;) {
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
        const QString path = QDir::toNativeSeparators(dialog.selectedFiles().front());
        const QDir folder = QFileInfo(path).absoluteDir();
        const qsizetype chosen = filters.indexOf(dialog.selectedNameFilter());
        if (chosen >= 0) request.selectedFilter = std::size_t(chosen);
        if (!save || folder.exists()) return path;
        // A save goes only into a folder that is there; the user chooses again.
        QMessageBox::warning(&dialog, request.title,
                             tr("The folder %1 does not exist.").arg(QDir::toNativeSeparators(folder.path())));
    }
}

std::optional<QSize> QtPlatformServices::chooseImageSize(QSize proposed)
{
    QDialog dialog(parent_);
    dialog.setWindowTitle(tr("Export plot"));
    auto* form = new QFormLayout(&dialog);
    QSpinBox* sides[2]{};
    const int values[2]{proposed.width(), proposed.height()};
    const QString labels[2]{tr("&Width (pixels)"), tr("&Height (pixels)")};
    for (int i = 0; i < 2; ++i) {
        sides[i] = new QSpinBox(&dialog);
        sides[i]->setRange(16, 20000);
        sides[i]->setValue(values[i]);
        form->addRow(labels[i], sides[i]);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return QSize(sides[0]->value(), sides[1]->value());
}

void QtPlatformServices::print(const QString& documentName, const PagePainter& page)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(documentName);
    // With no printer installed Qt would offer nothing to print to; a PDF file will do.
    if (QPrinterInfo::availablePrinterNames().isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QDir::home().filePath(documentName + ".pdf"));
    }
    QPrintDialog dialog(&printer, parent_);
    if (dialog.exec() != QDialog::Accepted) return;
    QPainter painter;
    if (!painter.begin(&printer)) {
        showMessage(tr("Could not print %1: the printer could not be opened").arg(documentName));
        return;
    }
    page(painter, QRect(QPoint(0, 0), printer.pageLayout().paintRectPixels(printer.resolution()).size()));
}

void QtPlatformServices::showHelp()
{
    if (!help_) help_ = new HelpWindow(parent_);
    help_->show();
    help_->raise();
    help_->activateWindow();
}

SettingsStore& QtPlatformServices::settings() { return settings_; }

RegionalSettings QtPlatformServices::regional() const { return regional_; }

QString QtPlatformServices::programFolder() const { return QCoreApplication::applicationDirPath(); }

}  // namespace quorlin
