#include "logbook_dialog.h"

#include "io/data_directory.h"
#include "logbook/logbook_file.h"
#include "platform_services.h"
#include "ui/grids/qt_text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <charconv>
#include <cmath>

namespace quorlin {

namespace {

const std::string kElectrodeKey = "logbookElectrode";
const std::string kOperatorKey = "logbookOperator";
const std::string kNoteKey = "logbookNote";
const std::string kTemperatureKey = "logbookTemperature";
const std::string kAutomaticKey = "logbookAutomatic";
const std::string kFileKey = "logbookFile";

}  // namespace

LogbookChoices LogbookChoices::read(const SettingsStore& store)
{
    const auto get = [&store](const std::string& key) {
        return store.read(kSettingsApplication, kSettingsSection, key, "");
    };
    return {get(kElectrodeKey),   get(kOperatorKey),         get(kNoteKey),
            get(kTemperatureKey), get(kAutomaticKey) == "1", get(kFileKey)};
}

void LogbookChoices::save(SettingsStore& store) const
{
    const auto put = [&store](const std::string& key, const std::string& value) {
        store.save(kSettingsApplication, kSettingsSection, key, value);
    };
    put(kElectrodeKey, electrode);
    put(kOperatorKey, operatorName);
    put(kNoteKey, note);
    put(kTemperatureKey, temperature);
    put(kAutomaticKey, automatic ? "1" : "0");
    put(kFileKey, file);
}

std::string LogbookChoices::path() const { return file.empty() ? defaultLogbookPath() : file; }

std::optional<std::optional<double>> typedTemperature(const std::string& text, char decimalSeparator)
{
    std::string plain = QString::fromStdString(text).trimmed().toStdString();
    if (plain.empty()) return std::optional<double>();
    for (char& c : plain)
        if (c == decimalSeparator) c = '.';
    double value = 0;
    const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (error != std::errc() || end != plain.data() + plain.size() || !std::isfinite(value) || value <= -273.15)
        return std::nullopt;
    return std::optional<double>(value);
}

LogbookDialog::LogbookDialog(const LogbookChoices& choices, const std::vector<std::string>& electrodes,
                             PlatformServices& platform, QWidget* parent)
    : QDialog(parent), platform_(platform), filePath_(choices.file)
{
    setWindowTitle(tr("Record in logbook"));
    auto* form = new QFormLayout;
    electrode_ = new QComboBox;
    electrode_->setEditable(true);
    for (const std::string& known : electrodes) electrode_->addItem(qStringOf(known));
    electrode_->setCurrentText(qStringOf(choices.electrode));
    operator_ = new QLineEdit(qStringOf(choices.operatorName));
    note_ = new QLineEdit(qStringOf(choices.note));
    temperature_ = new QLineEdit(qStringOf(choices.temperature));
    temperature_->setPlaceholderText(tr("none: 25 °C is assumed"));
    automatic_ = new QCheckBox(tr("Record automatically"));
    automatic_->setChecked(choices.automatic);
    file_ = new QLabel(qStringOf(choices.path()));
    file_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* change = new QPushButton(tr("Change…"));
    connect(change, &QPushButton::clicked, this, &LogbookDialog::chooseFile);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(file_, 1);
    fileRow->addWidget(change);

    form->addRow(tr("&Electrode:"), electrode_);
    form->addRow(tr("&Operator:"), operator_);
    form->addRow(tr("&Note:"), note_);
    form->addRow(tr("&Temperature (°C):"), temperature_);
    form->addRow(QString(), automatic_);
    form->addRow(tr("Logbook file:"), fileRow);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("&Record"));
    connect(buttons, &QDialogButtonBox::accepted, this, &LogbookDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &LogbookDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

LogbookChoices LogbookDialog::choices() const
{
    return {
        electrode_->currentText().trimmed().toStdString(), operator_->text().toStdString(), note_->text().toStdString(),
        temperature_->text().trimmed().toStdString(),      automatic_->isChecked(),         filePath_};
}

void LogbookDialog::chooseFile()
{
    FileDialogRequest request;
    request.kind = FileDialogRequest::Kind::Save;
    request.title = tr("Logbook file");
    const QString current = file_->text();
    request.initialFolder = current.left(current.lastIndexOf('/'));
    request.initialFileName = current.mid(current.lastIndexOf('/') + 1);
    request.filters = {{tr("Quorlin logbook (*.sqlite)"), {"*.sqlite"}}, {tr("All Files (*.*)"), {"*"}}};
    // A save dialog, so that a new logbook can be named; an existing file is opened as a
    // logbook, never written over.
    if (const std::optional<QString> path = platform_.chooseFile(request)) {
        filePath_ = path->toStdString();
        file_->setText(*path);
    }
}

void LogbookDialog::accept()
{
    if (electrode_->currentText().trimmed().isEmpty()) {
        platform_.beep();
        electrode_->setFocus();
        return;
    }
    if (!typedTemperature(temperature_->text().toStdString(), platform_.regional().decimalSeparator)) {
        platform_.beep();
        temperature_->setFocus();
        return;
    }
    QDialog::accept();
}

}  // namespace quorlin
