#include "qt_platform_services.h"

#include "help_window.h"
#include "regional_settings.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>

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

std::optional<QString> QtPlatformServices::chooseFile(const FileDialogRequest& request)
{
    QFileDialog dialog(parent_, request.title, request.initialFolder);
    // Qt's own dialog behaves alike on every desktop and can hide the pattern lists.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    const QStringList filters = nameFilters(request.filters);
    dialog.setNameFilters(filters);
    if (!filters.isEmpty()) dialog.selectNameFilter(filters.front());

    const bool save = request.kind == FileDialogRequest::Kind::Save;
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!request.initialFileName.isEmpty()) dialog.selectFile(request.initialFileName);

    for (;;) {
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
        const QString path = QDir::toNativeSeparators(dialog.selectedFiles().front());
        const QDir folder = QFileInfo(path).absoluteDir();
        if (!save || folder.exists()) return path;
        // A save goes only into a folder that is there; the user chooses again.
        QMessageBox::warning(
            &dialog, request.title,
            QStringLiteral("The folder %1 does not exist.").arg(QDir::toNativeSeparators(folder.path())));
    }
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
