#pragma once

#include "core/captions.h"
#include "platform_services.h"

#include <string>

namespace quorlin {

// The file types every file dialog offers, data files first.
const std::vector<FileFilter>& dataFileFilters();

// The dialog of file command `index`: 0 and 1 open calibration data and data to adjust,
// 2 and 3 save calibration data and adjusted data. Every dialog starts in the data
// directory; a save proposes the file its data set was last loaded from or saved to.
FileDialogRequest fileCommandDialog(int index, const std::string& dataDirectory, const Captions& captions);

}  // namespace quorlin
