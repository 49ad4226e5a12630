#pragma once

#include "io/settings_store.h"
#include "session/logbook_entry.h"

#include <QDialog>

#include <optional>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace quorlin {

class PlatformServices;

// What the window remembers between recordings: the user's words, whether every
// converged calibration is recorded, and the logbook file ("" for the default).
struct LogbookChoices {
    std::string electrode;
    std::string operatorName;
    std::string note;
    std::string temperature;  // as typed; "" for none
    bool automatic = false;
    std::string file;

    static LogbookChoices read(const SettingsStore& store);
    void save(SettingsStore& store) const;
    // The path of the logbook file chosen, or the default one.
    std::string path() const;
};

// The temperature typed, in either decimal convention; none for an empty text, and
// nothing at all for a text that is no temperature.
std::optional<std::optional<double>> typedTemperature(const std::string& text, char decimalSeparator);

// Calibration › Record in logbook…: asks for the electrode, operator, note and
// temperature, offers to record every converged calibration, and names the logbook file.
class LogbookDialog final : public QDialog {
    Q_OBJECT
public:
    LogbookDialog(const LogbookChoices& choices, const std::vector<std::string>& electrodes, PlatformServices& platform,
                  QWidget* parent);

    LogbookChoices choices() const;

private:
    void chooseFile();
    void accept() override;

    PlatformServices& platform_;
    QComboBox* electrode_;
    QLineEdit* operator_;
    QLineEdit* note_;
    QLineEdit* temperature_;
    QCheckBox* automatic_;
    QLabel* file_;
    std::string filePath_;
};

}  // namespace quorlin
