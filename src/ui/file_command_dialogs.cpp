#include "file_command_dialogs.h"

#include <array>

namespace quorlin {

namespace {

const std::array<QString, 4> kTitles{"Choose calibration data", "Choose data to adjust",
                                     "Choose file for calibration data", "Choose file for adjusted data"};

}  // namespace

const std::vector<FileFilter>& dataFileFilters()
{
    static const std::vector<FileFilter> filters{{"Data File (*.txt,csv)", {"*.txt", "*.csv"}},
                                                 {"All Files (*.*)", {"*"}}};
    return filters;
}

FileDialogRequest fileCommandDialog(FileCommand command, const std::string& dataDirectory, const Captions& captions)
{
    const auto index = static_cast<std::size_t>(command);
    FileDialogRequest request;
    request.filters = dataFileFilters();
    request.initialFolder = QString::fromStdString(dataDirectory);
    request.title = kTitles.at(index);
    if (index >= 2) {
        request.kind = FileDialogRequest::Kind::Save;
        // "?" stands for no file; offered as a name it would save a file called "?".
        const std::string& last = captions.fileName[index - 2];
        if (last != Captions::kNone) request.initialFileName = QString::fromStdString(last);
    }
    return request;
}

}  // namespace quorlin
