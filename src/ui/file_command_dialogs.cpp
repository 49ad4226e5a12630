#include "file_command_dialogs.h"

#include <QCoreApplication>
#include <array>

namespace quorlin {

namespace {

const std::array<const char*, 4> kTitles{QT_TRANSLATE_NOOP("FileCommand", "Choose calibration data"),
                                         QT_TRANSLATE_NOOP("FileCommand", "Choose data to adjust"),
                                         QT_TRANSLATE_NOOP("FileCommand", "Choose file for calibration data"),
                                         QT_TRANSLATE_NOOP("FileCommand", "Choose file for adjusted data")};

}  // namespace

const std::vector<FileFilter>& dataFileFilters()
{
    static const std::vector<FileFilter> filters{
        {QCoreApplication::translate("FileCommand", "Data File (*.txt,csv)"), {"*.txt", "*.csv"}},
        {QCoreApplication::translate("FileCommand", "All Files (*.*)"), {"*"}}};
    return filters;
}

FileDialogRequest fileCommandDialog(FileCommand command, const std::string& dataDirectory, const Captions& captions)
{
    const auto index = static_cast<std::size_t>(command);
    FileDialogRequest request;
    request.filters = dataFileFilters();
    request.initialFolder = QString::fromStdString(dataDirectory);
    request.title = QCoreApplication::translate("FileCommand", kTitles.at(index));
    if (index >= 2) {
        request.kind = FileDialogRequest::Kind::Save;
        // "?" stands for no file; offered as a name it would save a file called "?".
        const std::string& last = captions.fileName[index - 2];
        if (last != Captions::kNone) request.initialFileName = QString::fromStdString(last);
    }
    return request;
}

}  // namespace quorlin
