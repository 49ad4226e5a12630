#pragma once

#include "io/settings_store.h"
#include "text/number_text.h"
#include "ui/grids/grid_services.h"

#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

class QPainter;

namespace quorlin {

// One choice of the file type list of a file dialog.
struct FileFilter {
    QString label;         // what the user reads, e.g. "Data File (*.txt,csv)"
    QStringList patterns;  // what it shows, e.g. *.txt and *.csv

    friend bool operator==(const FileFilter&, const FileFilter&) = default;
};

// Everything one file dialog is opened with. An open dialog accepts only an existing
// file; a save dialog needs an existing folder and asks before overwriting a file.
struct FileDialogRequest {
    enum class Kind { Open, Save };

    Kind kind = Kind::Open;
    QString title;
    QString initialFolder;
    QString initialFileName;
    std::vector<FileFilter> filters;
    // The index of the type preselected; a chosen file brings back the type chosen.
    std::size_t selectedFilter = 0;
};

// What the window asks of the desktop. The Qt implementation talks to the user; the
// tests script the answers.
class PlatformServices : public GridServices {
public:
    enum class SaveChoice { Save, Discard, Cancel };
    enum class DataKind { Calibration, Adjustment };

    // Modal question under "Quorlin" with Save, Discard and Cancel, Save the default.
    virtual SaveChoice askToSave(const QString& text) = 0;
    // The chosen full path, or nothing when the user cancelled.
    virtual std::optional<QString> chooseFile(FileDialogRequest& request) = 0;
    // Width and height in pixels, starting from `proposed`; nothing when cancelled.
    virtual std::optional<QSize> chooseImageSize(QSize proposed) = 0;
    // Draws one page within the printable area, whose top-left corner is the origin.
    using PagePainter = std::function<void(QPainter& painter, QRect area)>;
    // Asks for a printer, or a PDF file when none is installed, and prints one page.
    virtual void print(const QString& documentName, const PagePainter& page) = 0;
    // Modal Yes/No question titled "Quorlin" about a step that may lose data; No is the
    // default, so a hasty Enter does not take the risk. True for Yes.
    virtual bool askBeforeRisk(const QString& text) = 0;
    // Modal question under "Quorlin": which data set the file `path` is for; nothing
    // when the user cancels.
    virtual std::optional<DataKind> askDataKind(const QString& path) = 0;
    // Opens the user manual beside the window and returns at once.
    virtual void showHelp() = 0;
    // The About box: rich text under `title`, with the program's icon.
    virtual void showAbout(const QString& title, const QString& text) = 0;
    virtual SettingsStore& settings() = 0;
    // The decimal separator and grouping symbol of the user's locale.
    virtual RegionalSettings regional() const = 0;
    // The folder the program was started from; the sample data lie in its "data".
    virtual QString programFolder() const = 0;
};

}  // namespace quorlin
