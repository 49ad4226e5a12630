#include "file_command_dialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <array>

namespace quorlin {

namespace {

const std::array<const char*, 5> kTitles{QT_TRANSLATE_NOOP("FileCommand", "Choose calibration data"),
                                         QT_TRANSLATE_NOOP("FileCommand", "Choose data to adjust"),
                                         QT_TRANSLATE_NOOP("FileCommand", "Choose file for calibration data"),
                                         QT_TRANSLATE_NOOP("FileCommand", "Choose file for adjusted data"),
                                         QT_TRANSLATE_NOOP("FileCommand", "Choose file for adjustment readings")};

}  // namespace

const std::vector<FileFilter>& dataFileFilters()
{
    static const std::vector<FileFilter> filters{
        {QCoreApplication::translate("FileCommand", "Data File (*.txt,csv)"), {"*.txt", "*.csv"}},
        {QCoreApplication::translate("FileCommand", "All Files (*.*)"), {"*"}}};
    return filters;
}

FileDialogRequest fileCommandDialog(FileCommand command, const Session& session)
{
    const auto index = static_cast<std::size_t>(command);
    FileDialogRequest request;
    request.filters = dataFileFilters();
    request.initialFolder = QString::fromStdString(session.dataDirectory());
    request.title = QCoreApplication::translate("FileCommand", kTitles.at(index));
    if (index >= 2) {
        request.kind = FileDialogRequest::Kind::Save;
        const Adjustment& readings = session.adjustment();
        std::optional<std::string> last = command == FileCommand::SaveCalibration ? session.calibration().file()
                                          : command == FileCommand::SaveAdjusted  ? readings.adjustedFile()
                                                                                  : readings.file();
        if (last) {
            request.initialFileName = QString::fromStdString(*last);
        } else if (command == FileCommand::SaveAdjusted && readings.file()) {
            const QFileInfo file(QString::fromStdString(*readings.file()));
            request.initialFileName = file.dir().filePath(file.completeBaseName() + "-adjusted."
                                                          + (file.suffix().isEmpty() ? "txt" : file.suffix()));
        }
    }
    return request;
}

}  // namespace quorlin
