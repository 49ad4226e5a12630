#pragma once

#include "platform_services.h"
#include "session/session.h"

#include <string>

namespace quorlin {

// The file types every file dialog offers, data files first.
const std::vector<FileFilter>& dataFileFilters();

// The file commands, in the order of the File menu.
enum class FileCommand { LoadCalibration, LoadAdjustment, SaveCalibration, SaveAdjusted, SaveReadings };

// The dialog of a file command. Every dialog starts in the data directory; a save
// proposes the file its data set was last loaded from or saved to, and adjusted data
// the file they were last saved to or, the first time, NAME-adjusted.EXT beside the
// readings' file.
FileDialogRequest fileCommandDialog(FileCommand command, const Session& session);

}  // namespace quorlin
